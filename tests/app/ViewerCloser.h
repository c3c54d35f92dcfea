#pragma once

#include "viewer/frmCRViewer.h"

#include <QApplication>
#include <QTimer>

#include <functional>

namespace velmora::testing {

/// Waits, from inside the viewer window's modal loop, until the window has
/// shown its report, lets the test look at it, then closes it. A viewer
/// whose first showing fails closes by itself and is never looked at.
class ViewerCloser {
public:
    using Look = std::function<void(frmCRViewer &)>;

    explicit ViewerCloser(Look look = {}) : m_look(std::move(look))
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { closeWhenShown(); });
        m_poll.start();
    }

    int viewersClosed() const { return m_closed; }

private:
    void closeWhenShown()
    {
        auto *viewer = qobject_cast<frmCRViewer *>(QApplication::activeModalWidget());
        if (!viewer || !viewer->isVisible() || viewer->isFirstActivationPending())
            return;
        if (m_look)
            m_look(*viewer);
        ++m_closed;
        viewer->close();
    }

    Look m_look;
    QTimer m_poll;
    int m_closed = 0;
};

} // namespace velmora::testing
