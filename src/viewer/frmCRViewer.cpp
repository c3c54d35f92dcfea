#include "viewer/frmCRViewer.h"

#include "engine/seam/SeamErrors.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>

#include <functional>

namespace velmora {

namespace {
// A layout step that fails is skipped; the next ones still run.
void tryStep(const std::function<void()> &step)
{
    try {
        step();
    } catch (const Failure &) {
    }
}
} // namespace

frmCRViewer::frmCRViewer(const std::shared_ptr<EngineReport> &glcrxReport, ReportEngine &engine, QWidget *parent)
    : QWidget(parent, Qt::Window), m_glcrxReport(glcrxReport), m_design(this, engine.createViewerControl(this))
{
    setObjectName(QStringLiteral("frmCRViewer"));
    connectCommands();
}

frmCRViewer::~frmCRViewer() = default;

void frmCRViewer::connectCommands()
{
    for (int index = 1; index <= 3; ++index)
        connect(m_design.cmdExport(index), &QPushButton::clicked, this, [this, index] { cmdExport_Click(index); });
    connect(m_design.cmdMarges, &QPushButton::clicked, this, &frmCRViewer::cmdMarges_Click);
    connect(m_design.cmdImpressora, &QPushButton::clicked, this, &frmCRViewer::cmdImpressora_Click);
}

ReportViewerControl &frmCRViewer::viewer()
{
    if (!m_design.CRViewer1)
        throw Failure(SeamErrors::NoViewerControl, QStringLiteral("El motor d'informes no ha creat el visualitzador."));
    return *m_design.CRViewer1;
}

QString frmCRViewer::currentPrinterName() { return QPrinterInfo::defaultPrinterName(); }

void frmCRViewer::Form_Load()
{
    m_firstActivation = true;
    viewer().setReportSource(m_glcrxReport);
    m_design.lblImpressora->setText(currentPrinterName());
    QCoreApplication::processEvents();
}

void frmCRViewer::Form_Activate()
{
    if (!m_firstActivation)
        return;
    viewer().viewReport();
    viewer().zoom(100);
    m_firstActivation = false;
}

void frmCRViewer::Form_Resize()
{
    const int stripHeight = m_design.PictureBotons->height();
    tryStep([&] { viewer().setTop(stripHeight); });
    tryStep([&] { viewer().setLeft(0); });
    tryStep([&] { viewer().setHeight(height() - stripHeight); });
    tryStep([&] { viewer().setWidth(width()); });
}

void frmCRViewer::showModal()
{
    m_activationFailure.reset();
    setWindowModality(Qt::ApplicationModal);
    setWindowState(windowState() | Qt::WindowMaximized);
    show();
    QEventLoop loop;
    m_modalLoop = &loop;
    if (isVisible())
        loop.exec();
    m_modalLoop = nullptr;
    if (m_activationFailure) {
        const Failure failure = *m_activationFailure;
        m_activationFailure.reset();
        throw failure;
    }
}

bool frmCRViewer::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        onActivated();
    return handled;
}

void frmCRViewer::onActivated()
{
    try {
        Form_Activate();
    } catch (const Failure &failure) {
        m_activationFailure = failure;
        close();
    }
}

void frmCRViewer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_design.dockStrip(width());
    Form_Resize();
}

void frmCRViewer::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (m_modalLoop)
        m_modalLoop->quit();
}

void frmCRViewer::cmdExport_Click(int) {}

void frmCRViewer::cmdMarges_Click() {}

void frmCRViewer::cmdImpressora_Click() {}

} // namespace velmora
