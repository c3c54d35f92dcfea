#include "engine/control/PageLayoutWorker.h"

#include "engine/core/Failure.h"
#include "engine/seam/SeamErrors.h"

namespace velmora {

PageLayoutWorker::PageLayoutWorker(QObject *parent) : QObject(parent) {}

PageLayoutWorker::~PageLayoutWorker() { stopAndWait(); }

void PageLayoutWorker::start(std::shared_ptr<PageSource> source)
{
    stopAndWait();
    m_cancel = std::make_shared<CancelToken>();
    m_running = true;
    m_progressPending = false;
    m_thread = std::thread(&PageLayoutWorker::run, this, std::move(source), m_cancel, ++m_runId);
}

void PageLayoutWorker::cancel()
{
    if (m_cancel)
        m_cancel->cancel();
}

void PageLayoutWorker::stopAndWait()
{
    cancel();
    if (m_thread.joinable())
        m_thread.join();
    // Whatever the ended run still had queued is now stale.
    ++m_runId;
    m_running = false;
}

void PageLayoutWorker::post(quint64 runId, std::function<void()> deliver)
{
    QMetaObject::invokeMethod(
        this,
        [this, runId, deliver = std::move(deliver)] {
            if (runId == m_runId)
                deliver();
        },
        Qt::QueuedConnection);
}

void PageLayoutWorker::run(std::shared_ptr<PageSource> source, std::shared_ptr<CancelToken> cancel,
                           quint64 runId)
{
    const auto onProgress = [this, runId](const Progress &progress) {
        if (m_progressPending.exchange(true))
            return;
        post(runId, [this, progress] {
            m_progressPending = false;
            emit progressed(progress);
        });
    };
    const auto ended = [this, runId](std::function<void()> signal) {
        post(runId, [this, signal = std::move(signal)] {
            m_running = false;
            signal();
        });
    };
    try {
        source->layOutUntil(-1, *cancel, onProgress);
        ended([this] { emit finished(); });
    } catch (const Failure &failure) {
        if (cancel->isCancelled() || failure.number() == SeamErrors::Stopped)
            ended([this] { emit stopped(); });
        else
            ended([this, failure] { emit failed(failure.number(), failure.description()); });
    } catch (const std::exception &error) {
        const QString text = QString::fromLocal8Bit(error.what());
        ended([this, text] { emit failed(SeamErrors::UnexpectedFault, text); });
    }
}

} // namespace velmora
