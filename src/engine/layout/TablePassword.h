#pragma once

#include "engine/layout/ReportLayout.h"

namespace velmora {

/// The database password a table reads with. A table given no logon of its
/// own uses the password another table of the same file was given, as one
/// open connection would.
QString databasePasswordFor(const TableLocation &location, const std::map<QString, TableLocation> &tables);

} // namespace velmora
