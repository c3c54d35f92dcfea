#pragma once

#include "engine/page/PageSource.h"

#include <functional>

namespace velmora {

/// Hands a writer the report's pages (or its detail records) one at a time, laying each out just
/// before it is needed, so no writer ever holds more than one page.
/// Reports "Exportant" progress after every page; stops with
/// ExportErrors::Stopped as soon as the token is cancelled.
class PageStream {
public:
    using Visitor = std::function<void(const Page &page, int index)>;

    static int forEachPage(PageSource &source, const CancelToken &cancel,
                           const ProgressCallback &progress, const Visitor &visit);

    using RecordVisitor = std::function<void(const std::vector<Value> &values)>;
    /// The detail records in report order, with "Exportant" progress every
    /// few thousand records; returns how many there were.
    static qint64 forEachRecord(const RecordTable &records, const CancelToken &cancel,
                                const ProgressCallback &progress, const RecordVisitor &visit);

    /// Throws the "stopped" failure if the token is cancelled.
    static void throwIfCancelled(const CancelToken &cancel);
};

} // namespace velmora
