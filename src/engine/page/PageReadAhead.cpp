#include "engine/page/PageReadAhead.h"

#include <algorithm>

namespace velmora {

namespace {

int workersFor(int asked)
{
    if (asked > 0)
        return asked;
    return std::max(1, int(std::thread::hardware_concurrency()));
}

} // namespace

PageReadAhead::PageReadAhead(std::shared_ptr<PageSource> source, int workers, int window)
    : m_source(std::move(source)), m_window(window > 0 ? window : 8 * workersFor(workers))
{
    const int count = workersFor(workers);
    m_workers.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        m_workers.emplace_back([this] { work(); });
}

PageReadAhead::~PageReadAhead()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_stopCounting.cancel();
    m_changed.notify_all();
    for (std::thread &worker : m_workers)
        worker.join();
}

int PageReadAhead::layOutUntil(int index, const CancelToken &cancel, const ProgressCallback &progress)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_readerCounted) {
            // The workers may have counted it already.
            const bool complete = m_source->isComplete();
            const int laidOut = m_source->pagesLaidOut();
            if (complete || (index >= 0 && laidOut > index))
                return laidOut;
        }
    }
    const int laidOut = m_source->layOutUntil(index, cancel, progress);
    {
        std::lock_guard lock(m_mutex);
        m_readerCounted = true;
    }
    m_changed.notify_all();
    return laidOut;
}

void PageReadAhead::restartAt(int index) const
{
    m_ready.clear();
    m_wanted = index;
    m_next = index;
    ++m_generation;
    m_changed.notify_all();
}

Page PageReadAhead::page(int index) const
{
    std::unique_lock lock(m_mutex);
    if (index != m_wanted)
        restartAt(index);
    if (m_next <= index) {
        // Nobody has taken it yet: the reader makes it itself.
        m_next = index + 1;
        m_wanted = index + 1;
        m_changed.notify_all();
        lock.unlock();
        return m_source->page(index);
    }
    m_changed.wait(lock, [&] { return m_ready.count(index) > 0; });
    Made made = std::move(m_ready.extract(index).mapped());
    m_wanted = index + 1;
    m_changed.notify_all();
    lock.unlock();
    if (made.failure)
        std::rethrow_exception(made.failure);
    return std::move(*made.page);
}

bool PageReadAhead::canMakeNext() const
{
    return !m_failed && m_next < m_wanted + m_window && m_next < m_source->pagesLaidOut();
}

bool PageReadAhead::canCountNext() const
{
    return m_readerCounted && !m_counting && !m_countingFailed && !m_failed && !m_source->isComplete()
        && m_source->pagesLaidOut() < m_wanted + m_window;
}

void PageReadAhead::work()
{
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (canMakeNext())
            makeNext(lock);
        else if (canCountNext())
            countNext(lock);
        else
            m_changed.wait(lock);
    }
}

void PageReadAhead::makeNext(std::unique_lock<std::mutex> &lock)
{
    const int index = m_next++;
    const quint64 generation = m_generation;
    lock.unlock();
    Made made;
    try {
        made.page = m_source->page(index);
    } catch (...) {
        made.failure = std::current_exception();
    }
    lock.lock();
    // A page of a window the reader has left is of no use any more.
    if (generation == m_generation) {
        m_failed = m_failed || made.failure != nullptr;
        m_ready.emplace(index, std::move(made));
    }
    m_changed.notify_all();
}

void PageReadAhead::countNext(std::unique_lock<std::mutex> &lock)
{
    m_counting = true;
    const int laidOut = m_source->pagesLaidOut();
    lock.unlock();
    bool failed = false;
    try {
        m_source->layOutUntil(laidOut, m_stopCounting);
    } catch (...) {
        // The reader counts this page itself and meets the failure there.
        failed = true;
    }
    lock.lock();
    m_counting = false;
    m_countingFailed = m_countingFailed || failed;
    m_changed.notify_all();
}

} // namespace velmora
