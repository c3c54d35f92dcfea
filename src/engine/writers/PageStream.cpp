#include "engine/writers/PageStream.h"

#include "engine/core/Failure.h"
#include "engine/writers/ExportErrors.h"

namespace velmora {

void PageStream::throwIfCancelled(const CancelToken &cancel)
{
    if (cancel.isCancelled())
        throw Failure(ExportErrors::Stopped, QStringLiteral("S'ha aturat l'exportació."));
}

int PageStream::forEachPage(PageSource &source, const CancelToken &cancel,
                            const ProgressCallback &progress, const Visitor &visit)
{
    int index = 0;
    for (;; ++index) {
        throwIfCancelled(cancel);
        if (source.layOutUntil(index, cancel) <= index)
            break;
        visit(source.page(index), index);
        if (progress)
            progress(Progress{source.recordCount(), index + 1, QStringLiteral("Exportant")});
    }
    throwIfCancelled(cancel);
    return index;
}

} // namespace velmora
