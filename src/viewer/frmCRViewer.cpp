#include "viewer/frmCRViewer.h"

#include "engine/seam/SeamErrors.h"
#include "export/frmCRExport.h"
#include "viewer/CommandEdge.h"
#include "viewer/OpenReport.h"
#include "viewer/QuickExportTable.h"
#include "viewer/frmMarges.h"

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
    for (const QuickExportRow &row : QuickExportTable::rows())
        connect(m_design.cmdExport(row.index), &QPushButton::clicked, this,
                [this, index = row.index] { runAtCommandEdge([this, index] { cmdExport_Click(index); }); });
    connect(m_design.cmdMarges, &QPushButton::clicked, this,
            [this] { runAtCommandEdge([this] { cmdMarges_Click(); }); });
    connect(m_design.cmdImpressora, &QPushButton::clicked, this,
            [this] { runAtCommandEdge([this] { cmdImpressora_Click(); }); });
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

void frmCRViewer::cmdExport_Click(int Index)
{
    const QuickExportRow &row = QuickExportTable::row(Index);
    std::shared_ptr<EngineReport> report = requireOpenReport(m_glcrxReport);
    frmCRExport dialog(m_glcrxReport);
    dialog.txtNouFitxer()->setText(row.fileName);
    dialog.selectFormatByText(dialog.comboFormat()->itemText(row.formatListPosition));
    report->exportOptions()->setFormatType(row.formatType);
    dialog.exec();
    report.reset();
}

void frmCRViewer::cmdMarges_Click()
{
    {
        frmMarges dialog(m_glcrxReport);
        dialog.exec();
    }
    viewer().viewReport();
}

void frmCRViewer::cmdImpressora_Click()
{
    const std::shared_ptr<EngineReport> report = requireOpenReport(m_glcrxReport);
    report->printerSetup(this);
    const QString printerName = report->printerName();
    QFont font = m_design.lblImpressora->font();
    if (!printerName.isEmpty())
        m_design.lblImpressora->setText(printerName);
    font.setBold(!printerName.isEmpty());
    m_design.lblImpressora->setFont(font);
    QCoreApplication::processEvents();
}

} // namespace velmora
