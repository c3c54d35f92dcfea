#include "FakeEngineServices.h"

#include "engine/seam/SeamErrors.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {
std::shared_ptr<ServiceLog> oneTableReport()
{
    auto log = std::make_shared<ServiceLog>();
    log->definition.tables = {table(u"Clients"_s)};
    return log;
}

std::shared_ptr<EngineReport> locatedReport(const std::shared_ptr<ServiceLog> &log)
{
    auto report = openFakeReport(log);
    locateTables(*report, u"/dades/empresa.mdb"_s);
    return report;
}

void setOptions(EngineExportOptions &options, qint32 destination, qint32 format, const QString &path)
{
    options.setDestinationType(destination);
    options.setFormatType(format);
    options.setDiskFileName(path);
}
} // namespace

class ReportExportTest : public QObject {
    Q_OBJECT
private slots:
    void exportOptionsAreChecked_data()
    {
        QTest::addColumn<qint32>("destination");
        QTest::addColumn<qint32>("format");
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint32>("failure");
        QTest::newRow("disk file, PDF, a name: written") << 1 << 31 << u"/tmp/a.pdf"_s << 0;
        QTest::newRow("plain text is format 8") << 1 << 8 << u"/tmp/a.txt"_s << 0;
        QTest::newRow("Excel of the export dialog is 29") << 1 << 29 << u"/tmp/a.xls"_s << 0;
        QTest::newRow("Excel of the quick export is 36") << 1 << 36 << u"/tmp/a.xls"_s << 0;
        QTest::newRow("Word is 14") << 1 << 14 << u"/tmp/a.doc"_s << 0;
        QTest::newRow("destination 2 is no disk file") << 2 << 31 << u"/tmp/a.pdf"_s << SeamErrors::UnknownDestination;
        QTest::newRow("destination never set") << 0 << 31 << u"/tmp/a.pdf"_s << SeamErrors::UnknownDestination;
        QTest::newRow("format 99 does not exist") << 1 << 99 << u"/tmp/a.pdf"_s << SeamErrors::UnknownExportFormat;
        QTest::newRow("format never set") << 1 << 0 << u"/tmp/a.pdf"_s << SeamErrors::UnknownExportFormat;
        QTest::newRow("empty file name") << 1 << 31 << QString() << SeamErrors::MissingExportFileName;
        QTest::newRow("blank file name names no file") << 1 << 31 << u"   "_s << SeamErrors::MissingExportFileName;
        QTest::newRow("destination is checked before format") << 2 << 99 << QString() << SeamErrors::UnknownDestination;
    }
    void exportOptionsAreChecked()
    {
        QFETCH(qint32, destination);
        QFETCH(qint32, format);
        QFETCH(QString, path);
        QFETCH(qint32, failure);
        auto log = oneTableReport();
        auto report = locatedReport(log);
        setOptions(*report->exportOptions(), destination, format, path);
        QCOMPARE(failureNumberOf([&] { report->exportReport(false); }), failure);
        // A refused export neither lays the report out nor touches a file.
        QCOMPARE(log->exports.size(), failure == 0 ? 1u : 0u);
        QCOMPARE(log->layouts.size(), failure == 0 ? 1u : 0u);
    }

    void writerGetsTheOptionsAndTheLaidOutReport()
    {
        auto log = oneTableReport();
        auto report = locatedReport(log);
        auto options = report->exportOptions();
        setOptions(*options, 1, 31, u"/tmp/informe.pdf"_s);
        options->setPdfFirstOption(2);
        options->setPdfSecondOption(2);
        report->exportReport(false);

        QCOMPARE(log->exports.size(), 1u);
        const ExportJob &job = log->exports.front();
        QCOMPARE(job.formatType, 31);
        QCOMPARE(job.path, u"/tmp/informe.pdf"_s);
        QCOMPARE(job.pdfFirstOption, 2);
        QCOMPARE(job.pdfSecondOption, 2);
        QVERIFY(job.pages);
        QCOMPARE(job.title, u"Vendes per país"_s);
    }

    void exportOptionsStayWithTheReport()
    {
        auto log = oneTableReport();
        auto report = locatedReport(log);
        setOptions(*report->exportOptions(), 1, 36, u"/tmp/a.xls"_s);
        auto again = report->exportOptions();
        QCOMPARE(again, report->exportOptions());
        QCOMPARE(again->formatType(), 36);
        QCOMPARE(again->diskFileName(), u"/tmp/a.xls"_s);

        report->exportReport(false);
        again->setFormatType(14);
        report->exportReport(false);
        // The second export keeps the file name and destination of the first.
        QCOMPARE(log->exports.size(), 2u);
        QCOMPARE(log->exports.back().formatType, 14);
        QCOMPARE(log->exports.back().path, u"/tmp/a.xls"_s);
    }

    void writerFailureReachesTheCaller()
    {
        auto log = oneTableReport();
        EngineServices services = fakeServices(log);
        services.runExport = [](const ExportJob &, const CancelToken &, const ProgressCallback &) {
            throw Failure(6001, u"No es pot crear l'arxiu"_s);
        };
        auto report = createReportEngine(services)->createApplication()->openReport(u"/informes/a.rpt"_s);
        locateTables(*report, u"/dades/empresa.mdb"_s);
        setOptions(*report->exportOptions(), 1, 8, u"/no/hi/es/a.txt"_s);
        QCOMPARE(failureNumberOf([&] { report->exportReport(false); }), 6001);
    }

    void promptCancelledExportsNothing()
    {
        auto log = oneTableReport();
        auto report = locatedReport(log);
        setOptions(*report->exportOptions(), 1, 8, u"/tmp/a.txt"_s);
        QCOMPARE(failureNumberOf([&] { report->exportReport(true); }), 0);
        QVERIFY(log->exports.empty());
    }

    void promptAnswerIsExported()
    {
        auto log = oneTableReport();
        log->exportChoice = [](EngineExportOptions &options) { setOptions(options, 1, 14, u"/tmp/b.doc"_s); };
        auto report = locatedReport(log);
        report->exportReport(true);
        QCOMPARE(log->exports.size(), 1u);
        QCOMPARE(log->exports.front().formatType, 14);
        QCOMPARE(report->exportOptions()->diskFileName(), u"/tmp/b.doc"_s);
    }

    void progressMonitorCanStopTheExport()
    {
        struct StoppingMonitor : ProgressMonitor {
            bool update(const Progress &) override { return false; }
        };
        auto log = oneTableReport();
        EngineServices services = fakeServices(log);
        services.newProgressMonitor = [] { return std::make_unique<StoppingMonitor>(); };
        bool stopSeen = false;
        services.runExport = [&](const ExportJob &, const CancelToken &cancel, const ProgressCallback &progress) {
            progress(Progress{10, 1, u"Paginant"_s});
            stopSeen = cancel.isCancelled();
        };
        auto report = createReportEngine(services)->createApplication()->openReport(u"/informes/a.rpt"_s);
        locateTables(*report, u"/dades/empresa.mdb"_s);
        setOptions(*report->exportOptions(), 1, 8, u"/tmp/a.txt"_s);
        report->exportReport(false);
        QVERIFY(stopSeen);
    }
};

QTEST_MAIN(ReportExportTest)
#include "test_report_export.moc"
