#pragma once

#include "engine/page/PageSource.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace velmora {

/// Makes the next pages on a second thread while the reader works on the
/// current one: an export that reads pages in order then makes and writes
/// pages at the same time. Pages read out of order are made on the spot.
/// Everything else passes through to the source.
class PageReadAhead : public PageSource {
public:
    explicit PageReadAhead(std::shared_ptr<PageSource> source, int depth = 6);
    ~PageReadAhead() override;

    int layOutUntil(int index, const CancelToken &cancel, const ProgressCallback &progress = {}) override;
    bool isComplete() const override { return m_source->isComplete(); }
    int pagesLaidOut() const override { return m_source->pagesLaidOut(); }
    Page page(int index) const override;
    std::vector<ContentsEntry> contents() const override { return m_source->contents(); }
    qint64 recordCount() const override { return m_source->recordCount(); }
    QString title() const override { return m_source->title(); }

private:
    void work();

    std::shared_ptr<PageSource> m_source;
    const int m_depth;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    mutable std::map<int, Page> m_ready;
    mutable int m_wanted = 0; ///< the page the reader will ask for next
    mutable int m_next = 0;   ///< the next page the worker makes
    bool m_stopping = false;
    bool m_failed = false;    ///< a page failed: the reader makes its own, and sees the failure
    std::thread m_worker;
};

} // namespace velmora
