#include "engine/layout/ObjectLook.h"

#include "engine/page/LinkAddress.h"

namespace velmora {

ObjectLook ObjectLook::designed(const ReportObject &object)
{
    ObjectLook look;
    look.format = object.format;
    look.lineWidth = object.lineWidth;
    look.lineStyle = object.lineStyle;
    look.boxFilled = object.boxFilled;
    look.link = object.link;
    look.keepFollowableLink();
    return look;
}

void ObjectLook::keepFollowableLink()
{
    if (link.isEmpty())
        return;
    const auto url = followableLink(link);
    link = url ? url->toString(QUrl::FullyEncoded) : QString();
}

} // namespace velmora
