#include "engine/report/ProgressDialogMonitor.h"

#include <QApplication>
#include <QThread>

namespace velmora {

ProgressDialogMonitor::ProgressDialogMonitor(QWidget *window)
    : m_dialog(new QProgressDialog(window))
{
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setWindowTitle(QStringLiteral("Velmora"));
    m_dialog->setLabelText(QStringLiteral("Preparant l'informe..."));
    m_dialog->setCancelButtonText(QStringLiteral("Atura"));
    m_dialog->setRange(0, 0); // the number of pages is known only at the end
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    QObject::connect(m_dialog, &QProgressDialog::canceled, m_dialog,
                     [this] { m_cancelled.store(true); });
}

ProgressDialogMonitor::~ProgressDialogMonitor()
{
    if (!m_dialog)
        return;
    m_dialog->disconnect();
    m_dialog->hide();
    m_dialog->deleteLater();
}

std::unique_ptr<ProgressMonitor> ProgressDialogMonitor::forActiveWindow()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    QWidget *window = QApplication::activeWindow();
    if (!window || !window->isVisible())
        return nullptr;
    return std::make_unique<ProgressDialogMonitor>(window);
}

bool ProgressDialogMonitor::update(const Progress &progress)
{
    // Widgets belong to the interface thread; work reporting from elsewhere
    // only learns whether the user has asked to stop.
    if (m_dialog && QThread::currentThread() == m_dialog->thread()) {
        m_dialog->setLabelText(QStringLiteral("%1: %2 pàgines, %3 registres")
                                   .arg(progress.stage)
                                   .arg(progress.pagesDone)
                                   .arg(progress.recordsRead));
        m_dialog->setValue(0);
        QCoreApplication::processEvents();
    }
    return !m_cancelled.load();
}

} // namespace velmora
