#pragma once

#include <QString>

namespace velmora {

/// The two passwords carried by one logon text: "workgroup\ndatabase".
/// Only the first line feed separates them, so a database password may
/// itself hold line feeds. A text without any line feed is all workgroup
/// password and gives no database password: the logon convention puts the
/// database password after the line feed, and guessing otherwise would send
/// a workgroup password to the database.
struct LogonPassword {
    QString workgroupPassword;
    QString databasePassword;

    static LogonPassword fromLogonText(const QString &text);
    bool operator==(const LogonPassword &) const = default;
};

} // namespace velmora
