#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace velmora::testing {

/// Runs `handle` on the next modal window as soon as it is on screen, from
/// inside that window's own event loop, so a test can read it and close it.
inline void whenModalShown(std::function<void(QWidget &)> handle)
{
    auto *poll = new QTimer(QApplication::instance());
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, handle = std::move(handle)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        handle(*modal);
    });
    poll->start();
}

} // namespace velmora::testing
