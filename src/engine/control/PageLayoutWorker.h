#pragma once

#include "engine/page/PageSource.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

namespace velmora {

/// Lays out the rest of a report's pages on a thread of its own, so that
/// counting pages never blocks the window. Its signals arrive on the thread
/// that owns the worker (the GUI thread), and only from the latest run:
/// a run that was replaced or stopped says nothing more.
///
/// Progress is coalesced: while one progress report waits to be handled, the
/// worker posts no other, so a fast engine cannot flood the event queue.
class PageLayoutWorker : public QObject {
    Q_OBJECT
public:
    explicit PageLayoutWorker(QObject *parent = nullptr);
    /// Stops the run and waits for its thread.
    ~PageLayoutWorker() override;

    /// Lays out every page of `source`, after stopping any earlier run.
    void start(std::shared_ptr<PageSource> source);
    /// Asks the run to stop; `stopped` follows once the engine notices.
    void cancel();
    /// Stops the run and waits until its thread has ended.
    void stopAndWait();
    bool isRunning() const { return m_running; }

signals:
    /// Pages or records were added; read the source for the numbers.
    void progressed(const velmora::Progress &progress);
    void finished();
    void stopped();
    void failed(qint32 number, const QString &description);

private:
    void run(std::shared_ptr<PageSource> source, std::shared_ptr<CancelToken> cancel, quint64 runId);
    /// Runs `deliver` on the owner's thread if run `runId` is still current.
    void post(quint64 runId, std::function<void()> deliver);

    std::thread m_thread;
    std::shared_ptr<CancelToken> m_cancel;
    quint64 m_runId = 0;
    bool m_running = false;
    std::atomic<bool> m_progressPending{false};
};

} // namespace velmora
