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

qint64 PageStream::forEachRecord(const RecordTable &records, const CancelToken &cancel,
                                 const ProgressCallback &progress, const RecordVisitor &visit)
{
    constexpr int progressEvery = 4096;
    qint64 count = 0;
    records.forEachRecord(
        [&](const std::vector<Value> &values) {
            if (cancel.isCancelled())
                return false;
            visit(values);
            if (++count % progressEvery == 0 && progress)
                progress(Progress{count, 0, QStringLiteral("Exportant")});
            return true;
        },
        cancel);
    throwIfCancelled(cancel);
    return count;
}

} // namespace velmora
