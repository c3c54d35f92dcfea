#include "engine/report/ProgressMonitor.h"

namespace velmora {

ProgressCallback progressCallbackFor(ProgressMonitor *monitor, CancelToken &cancel)
{
    if (!monitor)
        return {};
    return [monitor, &cancel](const Progress &progress) {
        if (!monitor->update(progress))
            cancel.cancel();
    };
}

} // namespace velmora
