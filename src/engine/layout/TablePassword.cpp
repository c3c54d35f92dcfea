#include "engine/layout/TablePassword.h"

namespace velmora {

QString databasePasswordFor(const TableLocation &location, const std::map<QString, TableLocation> &tables)
{
    if (location.hasLogon)
        return location.databasePassword;
    for (const auto &[key, other] : tables)
        if (other.hasLogon && other.databasePath == location.databasePath)
            return other.databasePassword;
    return QString();
}

} // namespace velmora
