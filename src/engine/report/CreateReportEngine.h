#pragma once

#include "engine/seam/ReportEngine.h"

#include <memory>

namespace velmora {

/// The real report engine: report files, Access data, layout, the viewer
/// control and the export writers behind the seam.
std::unique_ptr<ReportEngine> createReportEngine();

} // namespace velmora
