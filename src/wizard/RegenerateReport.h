#pragma once

#include <QString>

namespace velmora::wizard {

/// Writes a report the wizard made anew from the choices it keeps, over
/// its database as it is now: for choices edited by hand, or a database
/// whose tables changed. Returns the program's exit status: 0 when written,
/// 1 with the failure's words on standard error.
int regenerateReport(const QString &reportPath, const QString &password);

} // namespace velmora::wizard
