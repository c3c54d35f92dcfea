#pragma once

#include "engine/report/LogonPassword.h"

#include <QString>

namespace velmora {

/// What a report's table has been told about where it reads: the database
/// file and, when given, the logon. Kept apart from the layout's
/// TableLocation so that the user name and workgroup password, which files
/// without workgroup security ignore, are not lost.
struct TableConnection {
    QString databasePath;
    bool hasLocation = false;
    QString userName;
    LogonPassword password;
    bool hasLogon = false;
};

} // namespace velmora
