#pragma once

#include "engine/page/PageSource.h"

namespace velmora {

/// Shows the progress of an export or a print run to whoever is waiting for
/// it (a progress dialog, a terminal) and passes on a wish to stop.
class ProgressMonitor {
public:
    virtual ~ProgressMonitor() = default;
    /// Called with each step of the work; false asks the work to stop.
    virtual bool update(const Progress &progress) = 0;
};

/// The callback long work reports to: it forwards to `monitor` (which may be
/// null) and cancels `cancel` once the monitor asks to stop.
ProgressCallback progressCallbackFor(ProgressMonitor *monitor, CancelToken &cancel);

} // namespace velmora
