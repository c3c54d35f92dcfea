#include "engine/page/PageReadAhead.h"

#include <optional>

namespace velmora {

PageReadAhead::PageReadAhead(std::shared_ptr<PageSource> source, int depth)
    : m_source(std::move(source)), m_depth(std::max(1, depth)), m_worker([this] { work(); })
{
}

PageReadAhead::~PageReadAhead()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

int PageReadAhead::layOutUntil(int index, const CancelToken &cancel, const ProgressCallback &progress)
{
    const int laidOut = m_source->layOutUntil(index, cancel, progress);
    m_changed.notify_all();
    return laidOut;
}

Page PageReadAhead::page(int index) const
{
    {
        std::unique_lock lock(m_mutex);
        if (index != m_wanted) {
            // Out of order: forget what was made ahead and start again here.
            m_ready.clear();
            m_wanted = index;
            m_next = index;
            m_changed.notify_all();
        }
        m_changed.wait(lock, [&] {
            return m_ready.count(index) || m_failed || m_next <= index
                || index >= m_source->pagesLaidOut();
        });
        const auto found = m_ready.find(index);
        if (found != m_ready.end()) {
            Page page = std::move(found->second);
            m_ready.erase(found);
            m_wanted = index + 1;
            m_changed.notify_all();
            return page;
        }
        m_wanted = index + 1;
    }
    m_changed.notify_all();
    return m_source->page(index);
}

void PageReadAhead::work()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [&] {
            return m_stopping
                || (!m_failed && m_next < m_wanted + m_depth && m_next < m_source->pagesLaidOut());
        });
        if (m_stopping)
            return;
        if (m_next < m_wanted)
            m_next = m_wanted;
        const int index = m_next++;
        lock.unlock();
        std::optional<Page> made;
        try {
            made = m_source->page(index);
        } catch (...) {
            // The reader makes this page itself and meets the failure there.
        }
        lock.lock();
        if (!made)
            m_failed = true;
        else if (index >= m_wanted)
            m_ready.emplace(index, std::move(*made));
        m_changed.notify_all();
    }
}

} // namespace velmora
