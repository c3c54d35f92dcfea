#include "app/MainWindowCaption.h"

namespace velmora {

QString mainWindowCaption(const QString &executableName, const VersionInfo &version)
{
    return version.fileDescription + u"    -    " + executableName + u"  v"
         + QString::number(version.major) + u'.' + QString::number(version.minor)
         + QString::number(version.revision);
}

} // namespace velmora
