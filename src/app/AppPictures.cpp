#include "app/AppPictures.h"

#include "resources/VelmoraResources.h"

namespace velmora {

QIcon applicationIcon()
{
    initResources();
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/app/velmora-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon viewButtonPicture()
{
    initResources();
    return QIcon(QStringLiteral(":/app/visualitzar.png"));
}

} // namespace velmora
