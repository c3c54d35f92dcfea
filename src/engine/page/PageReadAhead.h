#pragma once

#include "engine/page/PageSource.h"

#include <condition_variable>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace velmora {

/// Makes the pages after the one the reader is on while the reader works on
/// it, on a pool of workers (one per core by default): an export that reads
/// pages in order gets them made on every core.
///
/// The workers stay inside a window of pages ahead of the reader and take
/// them in order; when every counted page of the window is taken, one of them
/// counts the next page, so that making pages does not wait for counting.
/// Pages reach the reader in order whoever made them, and a page that failed
/// reaches it with its failure. A page read out of order is made on the spot
/// and the window starts again from it. Counting ahead begins only after the
/// reader's own first layOutUntil() has returned: that call counts the whole
/// report when a page shows the page count, and it alone sees the reader's
/// progress and stop.
class PageReadAhead : public PageSource {
public:
    /// `workers` 0: one per core; `window` 0: eight pages per worker.
    explicit PageReadAhead(std::shared_ptr<PageSource> source, int workers = 0, int window = 0);
    ~PageReadAhead() override;

    int layOutUntil(int index, const CancelToken &cancel, const ProgressCallback &progress = {}) override;
    bool isComplete() const override { return m_source->isComplete(); }
    int pagesLaidOut() const override { return m_source->pagesLaidOut(); }
    Page page(int index) const override;
    std::vector<ContentsEntry> contents() const override { return m_source->contents(); }
    qint64 recordCount() const override { return m_source->recordCount(); }
    QString title() const override { return m_source->title(); }

    int workerCount() const { return int(m_workers.size()); }

private:
    /// A page a worker made, or why it could not.
    struct Made {
        std::optional<Page> page;
        std::exception_ptr failure;
    };

    void work();
    bool canMakeNext() const;
    bool canCountNext() const;
    void makeNext(std::unique_lock<std::mutex> &lock);
    void countNext(std::unique_lock<std::mutex> &lock);
    /// The reader left the order: what was made ahead is dropped.
    void restartAt(int index) const;

    std::shared_ptr<PageSource> m_source;
    const int m_window;
    mutable std::mutex m_mutex; ///< guards what follows
    mutable std::condition_variable m_changed;
    mutable std::map<int, Made> m_ready;
    mutable int m_wanted = 0;       ///< the page the reader will ask for next
    mutable int m_next = 0;         ///< the first page nobody has taken yet
    mutable quint64 m_generation = 0; ///< grows when the reader leaves the order
    bool m_readerCounted = false;   ///< the reader's first layOutUntil() has returned
    bool m_counting = false;        ///< a worker is counting the next page
    bool m_countingFailed = false;  ///< counting ahead failed: the reader meets it itself
    bool m_failed = false;          ///< a page failed: no more are made ahead
    bool m_stopping = false;
    CancelToken m_stopCounting;
    std::vector<std::thread> m_workers;
};

} // namespace velmora
