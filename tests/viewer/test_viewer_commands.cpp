// The viewer window's strip commands over the recording engine: what the
// quick-export buttons preset, what printer setup does to the printer label,
// and that a failing command ends in a message box instead of in Qt.

#include "viewer/ViewerErrors.h"
#include "viewer/frmCRViewer.h"
#include "../export/ExportDialogHarness.h"

#include <QLabel>
#include <QPushButton>

using namespace velmora;
using namespace velmora::testing;

namespace {

struct ViewerScene {
    RecordingEngine engine;
    std::unique_ptr<EngineApplication> application = engine.createApplication();
    std::shared_ptr<EngineReport> glcrxReport = application->openReport(QStringLiteral("vendes.rpt"));
    frmCRViewer window{glcrxReport, engine};

    ViewerScene() { engine.state().log.clear(); }
    QLabel &printerLabel() { return *window.design().lblImpressora; }
};

/// What the export dialog showed while it was open.
struct ExportDialogSeen {
    QString fileName;
    QString formatEntry;
    qint32 formatType = 0;
    bool hadOwner = true;
    bool modal = false;
};

qint32 failureNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const Failure &failure) {
        return failure.number();
    }
    return 0;
}

} // namespace

class TestViewerCommands : public QObject {
    Q_OBJECT
private slots:
    void quickExportPresetsTheDialog_data();
    void quickExportPresetsTheDialog();
    void quickExportOfAnUnknownButtonFails();
    void commandsWithoutAnOpenReportFail();
    void printerSetupShowsTheReportsPrinter_data();
    void printerSetupShowsTheReportsPrinter();
    void aFailingButtonShowsTheFailureAndTheWindowGoesOn();
};

void TestViewerCommands::quickExportPresetsTheDialog_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("formatEntry");
    QTest::addColumn<qint32>("formatType");
    QTest::addColumn<QStringList>("formatCalls");

    QTest::newRow("Excel: the dialog's pick sets 29, the button's 36 comes last and stays")
        << 1 << QStringLiteral("ZelExport.xls") << QStringLiteral("Full de càlcul Excel (xls)") << 36
        << QStringList{QStringLiteral("exportOptions.setFormatType(29)"), QStringLiteral("exportOptions.setFormatType(36)")};
    QTest::newRow("Word: the pick and the button agree on 14")
        << 2 << QStringLiteral("ZelExport.doc") << QStringLiteral("Document de Word (doc)") << 14
        << QStringList{QStringLiteral("exportOptions.setFormatType(14)"), QStringLiteral("exportOptions.setFormatType(14)")};
    QTest::newRow("PDF: the pick also sets both PDF options before the button's 31")
        << 3 << QStringLiteral("ZelExport.pdf") << QStringLiteral("Portable Document File (pdf)") << 31
        << QStringList{QStringLiteral("exportOptions.setFormatType(31)"), QStringLiteral("exportOptions.setPdfFirstOption(2)"),
                       QStringLiteral("exportOptions.setPdfSecondOption(2)"), QStringLiteral("exportOptions.setFormatType(31)")};
}

void TestViewerCommands::quickExportPresetsTheDialog()
{
    QFETCH(int, index);
    QFETCH(QString, fileName);
    QFETCH(QString, formatEntry);
    QFETCH(qint32, formatType);
    QFETCH(QStringList, formatCalls);

    ViewerScene scene;
    ExportDialogSeen seen;
    whenModalShown<frmCRExport>([&](frmCRExport &dialog) {
        seen = {dialog.txtNouFitxer()->text(), dialog.comboFormat()->currentText(), scene.engine.state().formatType,
                dialog.parentWidget() != nullptr, dialog.isModal()};
        dialog.reject();
    });
    scene.window.design().cmdExport(index)->click();

    QCOMPARE(seen.fileName, fileName);
    QCOMPARE(seen.formatEntry, formatEntry);
    QCOMPARE(seen.formatType, formatType);
    QVERIFY2(!seen.hadOwner, "the dialog is shown with no owner window");
    QVERIFY(seen.modal);
    const QStringList optionCalls = scene.engine.log().filter(QStringLiteral("exportOptions."));
    QCOMPARE(optionCalls, formatCalls);
    QVERIFY2(scene.engine.log().filter(QStringLiteral("export(")).isEmpty(), "closing the dialog exports nothing");
}

void TestViewerCommands::quickExportOfAnUnknownButtonFails()
{
    ViewerScene scene;
    QCOMPARE(failureNumberOf([&] { scene.window.cmdExport_Click(0); }), ViewerErrors::UnknownQuickExport);
    QVERIFY(scene.engine.log().isEmpty());
}

void TestViewerCommands::commandsWithoutAnOpenReportFail()
{
    RecordingEngine engine;
    std::shared_ptr<EngineReport> glcrxReport;
    frmCRViewer window(glcrxReport, engine);
    QCOMPARE(failureNumberOf([&] { window.cmdExport_Click(3); }), ViewerErrors::NoOpenReport);
    QCOMPARE(failureNumberOf([&] { window.cmdImpressora_Click(); }), ViewerErrors::NoOpenReport);
    QCOMPARE(failureNumberOf([&] { window.cmdMarges_Click(); }), ViewerErrors::NoOpenReport);
    QVERIFY2(engine.log().filter(QStringLiteral("viewer.viewReport")).isEmpty(),
             "a margins command that failed does not view the report again");
}

void TestViewerCommands::printerSetupShowsTheReportsPrinter_data()
{
    QTest::addColumn<bool>("setupNamesAPrinter");
    QTest::addColumn<QString>("printerAfterSetup");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("bold");

    QTest::newRow("a chosen printer is named in bold")
        << true << QStringLiteral("Làser del segon pis") << QStringLiteral("Làser del segon pis") << true;
    QTest::newRow("a cancelled setup still names the report's printer in bold")
        << false << QString() << QStringLiteral("Impressora de proves") << true;
    QTest::newRow("no printer: the earlier caption stays, in normal weight")
        << true << QString() << QStringLiteral("Impressora anterior") << false;
}

void TestViewerCommands::printerSetupShowsTheReportsPrinter()
{
    QFETCH(bool, setupNamesAPrinter);
    QFETCH(QString, printerAfterSetup);
    QFETCH(QString, caption);
    QFETCH(bool, bold);

    ViewerScene scene;
    if (setupNamesAPrinter)
        scene.engine.state().printerNameAfterSetup = printerAfterSetup;
    scene.printerLabel().setText(QStringLiteral("Impressora anterior"));
    QFont font = scene.printerLabel().font();
    font.setBold(!bold);
    scene.printerLabel().setFont(font);

    scene.window.design().cmdImpressora->click();

    QCOMPARE(scene.engine.log(), (QStringList{QStringLiteral("printerSetup(frmCRViewer)"), QStringLiteral("printerName")}));
    QCOMPARE(scene.printerLabel().text(), caption);
    QCOMPARE(scene.printerLabel().font().bold(), bold);
    QCOMPARE(scene.printerLabel().font().family(), font.family());
}

void TestViewerCommands::aFailingButtonShowsTheFailureAndTheWindowGoesOn()
{
    ViewerScene scene;
    scene.engine.state().failures.emplace(QStringLiteral("printerSetup"),
                                          Failure(1013, QStringLiteral("La impressora no respon.")));
    QString title, text;
    whenModalShown<QMessageBox>([&](QMessageBox &box) {
        title = box.windowTitle();
        text = box.text();
        box.accept();
    });
    scene.printerLabel().setText(QStringLiteral("Impressora anterior"));
    scene.window.design().cmdImpressora->click();

    QCOMPARE(title, QStringLiteral("Velmora"));
    QCOMPARE(text, QStringLiteral("1013\nLa impressora no respon."));
    QCOMPARE(scene.printerLabel().text(), QStringLiteral("Impressora anterior"));
    QVERIFY2(scene.engine.log().filter(QStringLiteral("printerName")).isEmpty(), "the command stopped at the failing step");
}

QTEST_MAIN(TestViewerCommands)
#include "test_viewer_commands.moc"
