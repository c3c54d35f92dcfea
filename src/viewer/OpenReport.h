#pragma once

#include "engine/seam/ReportEngine.h"

#include <memory>

namespace velmora {

/// The report the main window holds now, for a command to work on while it
/// runs; a Failure when none is open.
std::shared_ptr<EngineReport> requireOpenReport(const std::shared_ptr<EngineReport> &glcrxReport);

} // namespace velmora
