#pragma once

#include "engine/report/EngineServices.h"

#include <memory>

namespace velmora {

/// The real report engine: report files, Access data, layout, the viewer
/// control and the export writers behind the seam.
std::unique_ptr<ReportEngine> createReportEngine();

/// The same engine over other services: a front end with its own progress
/// display, or a test with fakes.
std::unique_ptr<ReportEngine> createReportEngine(EngineServices services);

} // namespace velmora
