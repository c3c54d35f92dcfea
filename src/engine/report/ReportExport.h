#pragma once

#include "engine/report/ReportSession.h"

namespace velmora {

/// Fails unless `options` describe an export the engine can write: a disk
/// file destination, a known format and a file name.
void checkExportOptions(const EngineExportOptions &options);

/// Lays the session's report out and writes it as its export options say,
/// showing progress through the session's progress monitor if it has one.
void writeReportExport(const ReportSession &session);

} // namespace velmora
