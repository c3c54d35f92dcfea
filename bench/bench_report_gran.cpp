// Lays out the grouped sales report over the large database and says how long
// the first page and the last page take, and the peak memory, next to the
// time mdb-export needs just to read the order lines.
//
//   bench_report_gran [database] [report] [runs]
//
// The database defaults to ../shared/fixtures/gran.mdb beside the checkout.

#include "BenchFigures.h"
#include "LayoutOverDatabase.h"
#include "engine/core/Failure.h"
#include "engine/layout/ReportLayout.h"
#include "engine/definition/ReportReader.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace velmora;

namespace {

struct Run {
    double firstPage = 0, lastPage = 0, allPagesMade = 0;
    int pages = 0;
};

Run layOutOnce(const QString &database, const QString &reportPath)
{
    auto definition = std::make_shared<ReportDefinition>(readReportFile(reportPath));
    LayoutInput input = bench::layoutOver(definition, database, QFileInfo(reportPath).absolutePath());
    ReportLayout layout = createReportLayout(input);
    CancelToken cancel;
    Run run;
    QElapsedTimer timer;
    timer.start();
    layout.pages->layOutUntil(0, cancel);
    layout.pages->page(0);
    run.firstPage = timer.elapsed() / 1000.0;
    run.pages = layout.pages->layOutUntil(-1, cancel);
    layout.pages->page(run.pages - 1);
    run.lastPage = timer.elapsed() / 1000.0;
    for (int i = 0; i < run.pages; ++i)
        layout.pages->page(i);
    run.allPagesMade = timer.elapsed() / 1000.0;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString source = QStringLiteral(VELMORA_SOURCE_DIR);
    const QString database = bench::largeDatabase(argc, argv, 1);
    const QString report = argc > 2 ? QString::fromLocal8Bit(argv[2]) : source + QStringLiteral("/examples/vendes-per-pais.rpt");
    const int runs = bench::runCount(argc, argv, 3);
    if (!bench::databaseIsPresent(database))
        return 0;
    std::vector<double> first, last, all, floor;
    int pages = 0;
    for (int r = 0; r < runs; ++r) {
        floor.push_back(bench::mdbExportSeconds(database));
        try {
            const Run run = layOutOnce(database, report);
            first.push_back(run.firstPage);
            last.push_back(run.lastPage);
            all.push_back(run.allPagesMade);
            pages = run.pages;
        } catch (const Failure &f) {
            std::printf("failure %d: %s\n", f.number(), qPrintable(f.description()));
            return 1;
        }
    }
    std::printf("report %s over %s, %d runs (medians)\n", qPrintable(QFileInfo(report).fileName()),
                qPrintable(QFileInfo(database).fileName()), runs);
    std::printf("  pages                         %d\n", pages);
    std::printf("  first page ready              %.2f s\n", bench::median(first));
    std::printf("  last page ready               %.2f s\n", bench::median(last));
    std::printf("  every page made once          %.2f s\n", bench::median(all));
    std::printf("  floor: mdb-export LiniesComanda %.2f s\n", bench::median(floor));
    std::printf("  peak memory                   %.0f MB\n", bench::peakMegabytes());
    return 0;
}
