// A cross-tab of client by month over the million order lines of the large
// database (5,000 rows by 84 months, many bands of columns across), laid out
// and written to PDF, against the time mdb-export needs just to read the
// lines, measured in the same run; then the peak memory of both.
//
//   bench_crosstab_gran [database] [runs]
//
// The database defaults to ../shared/fixtures/gran.mdb beside the checkout.

#include "BenchFigures.h"
#include "engine/core/Failure.h"
#include "engine/definition/ReportReader.h"
#include "engine/layout/ReportLayout.h"
#include "engine/writers/WriteExport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <vector>

using namespace velmora;

namespace {

double childrenPeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024.0;
}

/// Seconds from reading the report to the PDF written.
double crossTabToPdf(const QString &database, const QString &reportPath, const QString &pdf, int *pages)
{
    QElapsedTimer timer;
    timer.start();
    auto definition = std::make_shared<ReportDefinition>(readReportFile(reportPath));
    LayoutInput input;
    input.definition = definition;
    input.reportDirectory = QFileInfo(reportPath).absolutePath();
    for (const TableDefinition &t : definition->tables)
        input.tables[t.alias] = TableLocation{database, QString(), true};
    ReportLayout layout = createReportLayout(input);
    CancelToken cancel;
    *pages = layout.pages->layOutUntil(-1, cancel);
    ExportRequest request{.formatType = ExportFormat::PDF, .path = pdf};
    request.pages = layout.pages.get();
    request.title = definition->title;
    writeExport(request, cancel);
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString database = bench::largeDatabase(argc, argv, 1);
    const int runs = bench::runCount(argc, argv, 2);
    if (!bench::databaseIsPresent(database))
        return 0;
    const QString report = QStringLiteral(VELMORA_SOURCE_DIR "/bench/clients-per-mes.rpt");
    QTemporaryDir scratch;
    try {
        std::vector<double> floor, crossTab;
        int pages = 0;
        // Alternated, so that both see the same state of the machine.
        for (int r = 0; r < runs; ++r) {
            floor.push_back(bench::mdbExportSeconds(database));
            crossTab.push_back(crossTabToPdf(database, report, scratch.filePath(QStringLiteral("t.pdf")), &pages));
        }
        const double f = bench::median(floor), c = bench::median(crossTab);
        std::printf("Cross-tab of client by month over %s, %d runs (medians)\n",
                    qPrintable(QFileInfo(database).fileName()), runs);
        std::printf("  floor: mdb-export LiniesComanda   %.2f s\n", f);
        std::printf("  cross-tab to PDF, %d pages      %.2f s  (%.2f x the floor)\n", pages, c, c / f);
        std::printf("  peak memory: this process %.0f MB, mdb-export %.0f MB\n", bench::peakMegabytes(),
                    childrenPeakMegabytes());
    } catch (const Failure &failure) {
        std::printf("failure %d: %s\n", failure.number(), qPrintable(failure.description()));
        return 1;
    }
    return 0;
}
