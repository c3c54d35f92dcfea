#include "app/frmCrViewerMain.h"

#include "app/CommandLine.h"
#include "app/MainWindowCaption.h"
#include "app/LogOnText.h"
#include "app/RememberedFiles.h"
#include "app/ReportOpening.h"
#include "app/ScreenPointer.h"
#include "app/UntrappedFailure.h"
#include "app/ViewFailureMessage.h"
#include "engine/seam/ParameterErrors.h"
#include "viewer/frmCRViewer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using velmora::runTrappingFailures;

frmCrViewerMain::frmCrViewerMain(velmora::ReportEngine &engine, const velmora::ProgramStart &start,
                                 QWidget *parent)
    : QWidget(parent), m_design(*this), m_engine(engine), m_start(start)
{
    connect(m_design.cmdSeleccionarReport, &QPushButton::clicked, this,
            &frmCrViewerMain::cmdSeleccionarReport_Click);
    connect(m_design.cmdSeleccionarBaseDeDades, &QPushButton::clicked, this,
            &frmCrViewerMain::cmdSeleccionarBaseDeDades_Click);
    connect(m_design.cmdVisualitzar, &QPushButton::clicked, this,
            &frmCrViewerMain::cmdVisualitzar_Click);
    Form_Load();
}

void frmCrViewerMain::Form_Load()
{
    const velmora::CommandLine values = velmora::CommandLine::parse(m_start.argumentText);
    setWindowTitle(velmora::mainWindowCaption(m_start.executableName));
    m_design.lblMDB->setText(values.database);
    sArxiuMDB = values.database;
    m_design.lblRpt->setText(values.report);
    sArxiuRPT = values.report;
    m_design.txtPassword->setText(values.password);
}

QString frmCrViewerMain::zTriaArxiu(const QString &xArxiu, QString &xFilter)
{
    if (xFilter == u"mdb")
        xFilter = QStringLiteral("Bases de dades Access (*.mdb)|*.mdb");
    else if (xFilter == u"rpt")
        xFilter = QStringLiteral("Arxius Crystal Reports (*.rpt)|*.rpt");
    try {
        CommonDialog1.setFilter(xFilter);
        CommonDialog1.setFileName(xArxiu);
        if (!CommonDialog1.showOpen(this))
            return QString();
        return CommonDialog1.fileName();
    } catch (const std::exception &) {
        return QString();
    }
}

void frmCrViewerMain::chooseRememberedFile(QString &member, QLabel &label, const QString &key,
                                           const QString &fileKind)
{
    const velmora::RememberedFiles remembered(m_start.executableName);
    member = remembered.read(key);
    QString filter = fileKind;
    member = zTriaArxiu(member, filter);
    label.setText(member);
    remembered.remember(key, member);
}

void frmCrViewerMain::cmdSeleccionarReport_Click()
{
    runTrappingFailures([this] {
        chooseRememberedFile(sArxiuRPT, *m_design.lblRpt, QStringLiteral("ArxiuRPT"),
                             QStringLiteral("rpt"));
    });
}

void frmCrViewerMain::cmdSeleccionarBaseDeDades_Click()
{
    runTrappingFailures([this] {
        chooseRememberedFile(sArxiuMDB, *m_design.lblMDB, QStringLiteral("ArxiuMDB"),
                             QStringLiteral("mdb"));
    });
}

void frmCrViewerMain::setMessageBoxFunction(velmora::MessageBoxFunction function)
{
    m_messageBox = std::move(function);
}

void frmCrViewerMain::cmdVisualitzar_Click()
{
    try {
        openAndShowReport();
    } catch (...) {
        showViewFailure(std::current_exception());
    }
}

void frmCrViewerMain::openAndShowReport()
{
    if (sArxiuMDB.isEmpty() || sArxiuRPT.isEmpty())
        return;
    velmora::ScreenPointer::showBusy();
    // Declared before the viewer window, so that the engine objects outlive
    // the window that shows what they configured.
    velmora::ReportOpening opening(m_engine);
    glcrxReport = opening.openReport(sArxiuRPT);
    opening.pointTablesAt(*glcrxReport, sArxiuMDB,
                          [this] { return velmora::logOnText(m_design.txtPassword->text()); });
    opening.pointSubreportTablesAt(*glcrxReport, sArxiuMDB);

    velmora::frmCRViewer viewer(glcrxReport, m_engine);
    viewer.Form_Load();
    velmora::ScreenPointer::showDefault();
    viewer.showModal();
    glcrxReport.reset();
}

void frmCrViewerMain::showViewFailure(std::exception_ptr failure) noexcept
{
    velmora::ScreenPointer::showDefault();
    // The user closed the parameter prompt: nothing to show, and no fault.
    if (velmora::ParameterErrors::isPromptCancel(failure))
        return;
    runTrappingFailures([&] { m_messageBox(this, velmora::viewFailureMessage(failure)); });
}
