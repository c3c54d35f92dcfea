#include "FakeEngineServices.h"

#include "engine/report/PrinterPageSetup.h"
#include "engine/seam/SeamErrors.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {
constexpr QSize a4Twips{11906, 16838};
constexpr QSize letterTwips{12240, 15840};

std::shared_ptr<ServiceLog> oneTableReport()
{
    auto log = std::make_shared<ServiceLog>();
    log->definition.tables = {table(u"Clients"_s)};
    return log;
}

/// A printer that writes a PDF file, so printing needs no print system.
void printToFile(QPrinter &printer, const QString &path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}
} // namespace

class ReportPageSetupTest : public QObject {
    Q_OBJECT
private slots:
    void marginsRoundTripAndReachTheLayout()
    {
        auto log = oneTableReport();
        auto report = openFakeReport(log);
        QCOMPARE(report->pageMargins(), QMargins(1134, 1134, 1134, 1134));
        report->setPageMargins(QMargins(720, 360, 1440, 0));
        QCOMPARE(report->pageMargins(), QMargins(720, 360, 1440, 0));
        locateTables(*report, u"/dades/empresa.mdb"_s);
        report->createPageSource();
        QCOMPARE(log->layouts.back().definition->page.margins, QMargins(720, 360, 1440, 0));
    }

    void marginsThatLeaveNoRoomAreRefused_data()
    {
        QTest::addColumn<QMargins>("margins");
        QTest::newRow("negative left") << QMargins(-1, 0, 0, 0);
        QTest::newRow("negative bottom") << QMargins(0, 0, 0, -20);
        QTest::newRow("left and right cover the A4 width") << QMargins(5953, 0, 5953, 0);
        QTest::newRow("top and bottom cover the A4 height") << QMargins(0, 16000, 0, 838);
    }
    void marginsThatLeaveNoRoomAreRefused()
    {
        QFETCH(QMargins, margins);
        auto report = openFakeReport(oneTableReport());
        QCOMPARE(failureNumberOf([&] { report->setPageMargins(margins); }), SeamErrors::InvalidMargins);
        QCOMPARE(report->pageMargins(), QMargins(1134, 1134, 1134, 1134));
    }

    void anEarlierLayoutKeepsItsOwnPageSetup()
    {
        auto log = oneTableReport();
        auto report = openFakeReport(log);
        locateTables(*report, u"/dades/empresa.mdb"_s);
        report->createPageSource();
        report->setPageMargins(QMargins(0, 0, 0, 0));
        // A page source being read while the user changes margins must not see them change.
        QCOMPARE(log->layouts.front().definition->page.margins, QMargins(1134, 1134, 1134, 1134));
    }

    void printerNameStartsAsTheSystemDefault_data()
    {
        QTest::addColumn<QString>("systemDefault");
        QTest::newRow("a default printer") << u"Laser del despatx"_s;
        QTest::newRow("a machine with no printer") << QString();
    }
    void printerNameStartsAsTheSystemDefault()
    {
        QFETCH(QString, systemDefault);
        auto log = oneTableReport();
        log->defaultPrinter = systemDefault;
        auto report = openFakeReport(log);
        QCOMPARE(report->printerName(), systemDefault);
        report->printerSetup(nullptr); // cancelled: nothing changes, nothing fails
        QCOMPARE(report->printerName(), systemDefault);
        QCOMPARE(report->paperSize(), a4Twips);
    }

    void printerSetupSetsTheReportsPaper_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<QSize>("pageSize");
        QTest::newRow("A4 kept to the twip, not rounded through millimetres")
            << QPageSize::A4 << QPageLayout::Portrait << a4Twips;
        QTest::newRow("A4 landscape swaps width and height")
            << QPageSize::A4 << QPageLayout::Landscape << a4Twips.transposed();
        QTest::newRow("Letter is 8.5 by 11 inches") << QPageSize::Letter << QPageLayout::Portrait << letterTwips;
        QTest::newRow("Letter landscape") << QPageSize::Letter << QPageLayout::Landscape << letterTwips.transposed();
    }
    void printerSetupSetsTheReportsPaper()
    {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(QSize, pageSize);
        auto log = oneTableReport();
        log->printerChoice = [&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setPageSize(QPageSize(paper));
            printer.setPageOrientation(orientation);
        };
        auto report = openFakeReport(log);
        report->printerSetup(nullptr);
        QCOMPARE(log->printerDialogs, std::vector<PrinterDialogPurpose>{PrinterDialogPurpose::Setup});
        QCOMPARE(report->paperSize(), pageSize);
        QCOMPARE(report->pageMargins(), QMargins(1134, 1134, 1134, 1134));
        // Printing to a file chooses no printer.
        QCOMPARE(report->printerName(), QString());
    }

    void printerStartsWithTheReportsPaper()
    {
        PageSetup page;
        page.paper = letterTwips;
        page.landscape = true;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        applyPageSetup(page, printer);
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::Letter);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(pageSetupFromPrinter(printer, page), page);
    }

    void printPaintsThePagesAskedFor_data()
    {
        QTest::addColumn<int>("fromPage");
        QTest::addColumn<int>("toPage");
        QTest::addColumn<std::vector<int>>("painted");
        QTest::newRow("no range: every page") << 0 << 0 << std::vector<int>{1, 2, 3};
        QTest::newRow("pages 2 to 3") << 2 << 3 << std::vector<int>{2, 3};
        QTest::newRow("a range past the end stops at the last page") << 3 << 9 << std::vector<int>{3};
        QTest::newRow("a range wholly past the end prints nothing") << 5 << 6 << std::vector<int>{};
    }
    void printPaintsThePagesAskedFor()
    {
        QFETCH(int, fromPage);
        QFETCH(int, toPage);
        QFETCH(std::vector<int>, painted);
        QTemporaryDir folder;
        auto log = oneTableReport();
        log->printerChoice = [&](QPrinter &printer) {
            printToFile(printer, folder.filePath(u"imprès.pdf"_s));
            if (fromPage > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(fromPage, toPage);
            }
        };
        auto report = openFakeReport(log);
        locateTables(*report, u"/dades/empresa.mdb"_s);
        report->print(nullptr);
        QCOMPARE(log->printerDialogs, std::vector<PrinterDialogPurpose>{PrinterDialogPurpose::Print});
        QCOMPARE(log->paintedPages, painted);
    }

    void printCancelledPrintsNothing()
    {
        auto log = oneTableReport();
        auto report = openFakeReport(log);
        locateTables(*report, u"/dades/empresa.mdb"_s);
        report->print(nullptr);
        QVERIFY(log->layouts.empty());
        QVERIFY(log->paintedPages.empty());
    }

    void paintingFailureStopsThePrint()
    {
        QTemporaryDir folder;
        auto log = oneTableReport();
        log->printerChoice = [&](QPrinter &printer) { printToFile(printer, folder.filePath(u"imprès.pdf"_s)); };
        EngineServices services = fakeServices(log);
        services.paintPage = [log](QPainter &, const Page &page, const QRectF &) {
            if (page.number == 2)
                throw Failure(6100, u"Imatge malmesa"_s);
            log->paintedPages.push_back(page.number);
        };
        auto report = createReportEngine(services)->createApplication()->openReport(u"/informes/a.rpt"_s);
        locateTables(*report, u"/dades/empresa.mdb"_s);
        QCOMPARE(failureNumberOf([&] { report->print(nullptr); }), 6100);
        QCOMPARE(log->paintedPages, std::vector<int>{1});
    }
};

QTEST_MAIN(ReportPageSetupTest)
#include "test_report_page_setup.moc"
