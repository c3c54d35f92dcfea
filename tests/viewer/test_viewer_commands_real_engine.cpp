// The strip commands over the real engine: examples/vendes-per-pais.rpt on
// the sample database, opened as the main window opens it. Checks what the
// user finally gets: the exported PDF, pages laid out anew after a margins
// change or a paper change, and printing that gives the export's pages.
// Needs pdfinfo and pdftotext (poppler-utils).
// With VELMORA_DEMO=1 the sample is also shown in the viewer window, which
// stays open for a person or a script to use until it is closed.

#include "engine/report/CreateReportEngine.h"
#include "engine/page/PageSource.h"
#include "viewer/frmCRViewer.h"
#include "viewer/frmMarges.h"
#include "../export/ExportDialogHarness.h"
#include "../support/TestData.h"

#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

/// The engine with its real services; given a `printerChoice`, the printer
/// dialog answers with it instead of asking the user.
struct SampleReport {
    explicit SampleReport(std::function<void(QPrinter &)> printerChoice = {})
        : engine(createReportEngine(servicesChoosing(std::move(printerChoice))))
    {
        glcrxReport = application->openReport(sourcePath(u"examples/vendes-per-pais.rpt"_s));
        for (const auto &table : glcrxReport->database()->tables()) {
            table->setLocation(testDataPath(u"empresa.mdb"_s));
            table->setLogOnInfo(QString(), u"\n"_s);
        }
    }

    static EngineServices servicesChoosing(std::function<void(QPrinter &)> printerChoice)
    {
        EngineServices services = EngineServices::standard();
        if (printerChoice)
            services.choosePrinter = [printerChoice](QPrinter &printer, QWidget *, PrinterDialogPurpose) {
                printerChoice(printer);
                return true;
            };
        services.newProgressMonitor = nullptr;
        return services;
    }

    int pageCount() const
    {
        CancelToken cancel;
        return glcrxReport->createPageSource()->layOutUntil(-1, cancel);
    }

    std::unique_ptr<ReportEngine> engine;
    std::unique_ptr<EngineApplication> application = engine->createApplication();
    std::shared_ptr<EngineReport> glcrxReport;
};

QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString &path)
{
    const QRegularExpressionMatch pages =
        QRegularExpression(u"^Pages:\\s+(\\d+)"_s, QRegularExpression::MultilineOption)
            .match(runTool(u"pdfinfo"_s, {path}));
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

/// The first lines of words on page 1, blanks evened out.
QStringList firstPageLines(const QString &path, int count)
{
    const QString text = runTool(u"pdftotext"_s, {u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, path, u"-"_s});
    QStringList lines;
    for (const QString &line : text.split(u'\n')) {
        const QString words = line.simplified();
        if (!words.isEmpty() && lines.size() < count)
            lines.append(words);
    }
    return lines;
}

void printToFile(QPrinter &printer, const QString &path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

} // namespace

class TestViewerCommandsRealEngine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pdfButtonsDialogWritesAPdf();
    void largerTopAndBottomMarginsGiveMorePages();
    void paperChosenInPrinterSetupReachesThePages_data();
    void paperChosenInPrinterSetupReachesThePages();
    void printingGivesTheExportsPages();
    void demoShowsTheSampleInTheViewerWindow();
};

void TestViewerCommandsRealEngine::initTestCase()
{
    if (QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty() || QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdfinfo and pdftotext (poppler-utils) are needed to read the PDF files");
}

void TestViewerCommandsRealEngine::pdfButtonsDialogWritesAPdf()
{
    SampleReport sample;
    frmCRViewer window(sample.glcrxReport, *sample.engine);
    QTemporaryDir folder;
    whenModalShown<frmCRExport>([&](frmCRExport &dialog) {
        dialog.design().txtNovaCarpeta->setText(folder.path() + u'/');
        dialog.design().cmdAcceptar->click();
    });
    window.cmdExport_Click(3);

    const QString written = folder.filePath(u"ZelExport.pdf"_s);
    QVERIFY2(QFile::exists(written), "Acceptar in the dialog the PDF button opened writes ZelExport.pdf");
    QVERIFY(pdfPageCount(written) > 0);
}

void TestViewerCommandsRealEngine::largerTopAndBottomMarginsGiveMorePages()
{
    SampleReport sample;
    const int pagesBefore = sample.pageCount();
    frmMarges dialog(sample.glcrxReport);
    dialog.design().txtMarge[1]->setText(u"80"_s);
    dialog.design().txtMarge[3]->setText(u"80"_s);
    dialog.cmdAcceptar_Click();

    QCOMPARE(sample.glcrxReport->pageMargins().top(), 4535); // 80 mm = 4535.4 twips
    QVERIFY2(sample.pageCount() > pagesBefore, "less room on each page spreads the report over more pages");
}

void TestViewerCommandsRealEngine::paperChosenInPrinterSetupReachesThePages_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::addColumn<QSize>("pageSize");
    QTest::newRow("A4 landscape: the report's A4 turned on its side")
        << QPageSize::A4 << QPageLayout::Landscape << QSize(16838, 11906);
    QTest::newRow("Letter portrait: 8.5 by 11 inches") << QPageSize::Letter << QPageLayout::Portrait << QSize(12240, 15840);
}

void TestViewerCommandsRealEngine::paperChosenInPrinterSetupReachesThePages()
{
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(QPageLayout::Orientation, orientation);
    QFETCH(QSize, pageSize);
    QTemporaryDir folder;
    SampleReport sample([&](QPrinter &printer) {
        printToFile(printer, folder.filePath(u"x.pdf"_s));
        printer.setPageSize(QPageSize(paper));
        printer.setPageOrientation(orientation);
    });
    frmCRViewer window(sample.glcrxReport, *sample.engine);
    window.cmdImpressora_Click();

    QCOMPARE(sample.glcrxReport->paperSize(), pageSize);
    CancelToken cancel;
    const auto pages = sample.glcrxReport->createPageSource();
    QVERIFY(pages->layOutUntil(0, cancel) > 0);
    QCOMPARE(pages->page(0).size, pageSize);
}

void TestViewerCommandsRealEngine::printingGivesTheExportsPages()
{
    QTemporaryDir folder;
    const QString printed = folder.filePath(u"imprès.pdf"_s);
    const QString exported = folder.filePath(u"exportat.pdf"_s);
    SampleReport sample([&](QPrinter &printer) { printToFile(printer, printed); });

    // The viewer control's print command calls exactly this.
    sample.glcrxReport->print(nullptr);
    const auto options = sample.glcrxReport->exportOptions();
    options->setFormatType(ExportFormat::PDF);
    options->setDestinationType(ExportDestination::DiskFile);
    options->setDiskFileName(exported);
    sample.glcrxReport->exportReport(false);

    const int pages = pdfPageCount(exported);
    QVERIFY(pages > 0);
    QCOMPARE(pdfPageCount(printed), pages);
    const QStringList exportedLines = firstPageLines(exported, 6);
    QCOMPARE(exportedLines.size(), 6);
    QCOMPARE(firstPageLines(printed, 6), exportedLines);
}

void TestViewerCommandsRealEngine::demoShowsTheSampleInTheViewerWindow()
{
    if (qEnvironmentVariableIntValue("VELMORA_DEMO") != 1)
        QSKIP("only with VELMORA_DEMO=1");
    SampleReport sample;
    frmCRViewer window(sample.glcrxReport, *sample.engine);
    window.Form_Load();
    // Without a window manager nothing maximizes the window.
    QTimer::singleShot(200, &window, [&window] { window.setGeometry(0, 0, 1400, 900); });
    window.showModal();
}

QTEST_MAIN(TestViewerCommandsRealEngine)
#include "test_viewer_commands_real_engine.moc"
