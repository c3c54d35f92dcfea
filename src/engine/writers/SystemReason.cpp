#include "engine/writers/SystemReason.h"

#include <cerrno>

namespace velmora {

QString systemReason(int errorNumber, const QString &fallback)
{
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("el disc és ple");
    case EDQUOT:
        return QStringLiteral("s'ha exhaurit la quota de disc");
    case EROFS:
        return QStringLiteral("el volum només és de lectura");
    case EACCES:
    case EPERM:
        return QStringLiteral("no hi ha permís per escriure-hi");
    case EIO:
        return QStringLiteral("error d'entrada/sortida del disc");
    case ENAMETOOLONG:
        return QStringLiteral("el camí és massa llarg");
    case EFBIG:
        return QStringLiteral("el fitxer és massa gran per al volum");
    default:
        return fallback.isEmpty() ? QString::number(errorNumber) : fallback;
    }
}

} // namespace velmora
