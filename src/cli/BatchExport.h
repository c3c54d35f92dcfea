#pragma once

#include "cli/ExportCommandLine.h"
#include "engine/seam/ReportEngine.h"

namespace velmora {

/// Exports as `command` says through the same engine operations the windows
/// use: opens the report, points every table at the database with the
/// password, points every subreport's tables at it too, and exports to a disk
/// file without prompting. Throws Failure.
/// Each --param is given to the report before the export; a mandatory
/// parameter left without a value fails the export.
void runBatchExport(ReportEngine &engine, const ExportCommandLine &command);

/// The report's parameters, one line each, for --list-params.
QStringList listBatchParameters(ReportEngine &engine, const QString &reportPath);

} // namespace velmora
