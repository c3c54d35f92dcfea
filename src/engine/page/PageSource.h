#pragma once

#include "engine/page/Page.h"

#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace velmora {

/// Lets long work be stopped from another thread.
class CancelToken {
public:
    void cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool isCancelled() const { return m_cancelled.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> m_cancelled{false};
};

/// Progress of long work, reported from the thread doing it.
struct Progress {
    qint64 recordsRead = 0;
    int pagesDone = 0;
    QString stage; ///< short Catalan text: "Llegint les dades", "Paginant"
};
using ProgressCallback = std::function<void(const Progress &)>;

/// A report turned into pages: what the viewer control, the printer and every
/// export writer read. Pages are laid out on demand, in order, so the first
/// page can be shown before the last is known. Every member is thread-safe:
/// one thread may lay out while another reads pages already laid out.
class PageSource {
public:
    virtual ~PageSource() = default;

    /// Lays out pages until page `index` (0-based) exists or the report ends;
    /// -1 lays out every page. Returns the number of pages laid out so far.
    /// Throws Failure; throws Failure with the "stopped" number when cancelled.
    virtual int layOutUntil(int index, const CancelToken &cancel,
                            const ProgressCallback &progress = {}) = 0;

    /// True once the last page is known.
    virtual bool isComplete() const = 0;
    virtual int pagesLaidOut() const = 0;

    /// A laid-out page (index < pagesLaidOut()), built anew on each call:
    /// the source need not keep every page in memory.
    virtual Page page(int index) const = 0;

    /// Groups found so far, in report order.
    virtual std::vector<ContentsEntry> contents() const = 0;

    /// Detail records read (after record selection).
    virtual qint64 recordCount() const = 0;

    /// The report's title for document properties (may be empty).
    virtual QString title() const = 0;
};

/// The report's detail records as a table, for data-only exports: one
/// heading per column, then each record in report order.
class RecordTable {
public:
    virtual ~RecordTable() = default;
    virtual QStringList headings() const = 0;
    /// Calls `row` for every detail record in report order; stops early when
    /// `row` returns false. Throws Failure.
    virtual void forEachRecord(const std::function<bool(const std::vector<Value> &)> &row,
                               const CancelToken &cancel) const = 0;
};

} // namespace velmora
