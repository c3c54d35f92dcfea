#pragma once

#include "engine/layout/ReportLayout.h"
#include "engine/layout/ReportPageSource.h"

namespace velmora {

/// Reads a report's records from the Access files its tables point at: each
/// table reads only the columns the report uses (and its link fields), the
/// tables are joined by the report's links, and each database file is opened
/// once however many tables read it.
RecordProvider accessRecordProvider(std::map<QString, TableLocation> tables);

} // namespace velmora
