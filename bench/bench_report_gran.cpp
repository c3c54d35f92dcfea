// Lays out the grouped sales report over the large database and says how long
// the first page and the last page take, how long every page takes to make
// on the workers the exports read through, how long one page far into the
// report takes once pages are counted (as when the viewer jumps to it), and
// the peak memory, next to the time mdb-export needs just to read the order
// lines.
//
//   bench_report_gran [database] [report] [runs]
//
// The database defaults to ../shared/fixtures/gran.mdb beside the checkout.

#include "BenchFigures.h"
#include "LayoutOverDatabase.h"
#include "engine/core/Failure.h"
#include "engine/layout/ReportLayout.h"
#include "engine/definition/ReportReader.h"
#include "engine/page/PageReadAhead.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

using namespace velmora;

namespace {

/// The page the viewer is asked to jump to (0-based: page 9,000).
constexpr int farPage = 8999;
constexpr int farPageAsks = 5;

struct Run {
    double firstPage = 0, lastPage = 0, allPagesMade = 0;
    double farPage = -1; ///< seconds, median of a few asks; -1 without that many pages
    int pages = 0;
};

/// Every page once, in order, read as an export reads them: through the
/// workers that make the pages ahead.
void readEveryPage(const std::shared_ptr<PageSource> &pages, const CancelToken &cancel)
{
    PageReadAhead ahead(pages);
    for (int i = 0; ahead.layOutUntil(i, cancel) > i; ++i)
        ahead.page(i);
}

double farPageSeconds(const PageSource &pages)
{
    std::vector<double> asks;
    for (int i = 0; i < farPageAsks; ++i) {
        QElapsedTimer timer;
        timer.start();
        pages.page(farPage);
        asks.push_back(timer.nsecsElapsed() / 1e9);
    }
    return bench::median(asks);
}

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
    readEveryPage(layout.pages, cancel);
    run.allPagesMade = timer.elapsed() / 1000.0;
    if (run.pages > farPage)
        run.farPage = farPageSeconds(*layout.pages);
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
    std::vector<double> first, last, all, far, floor;
    int pages = 0;
    for (int r = 0; r < runs; ++r) {
        floor.push_back(bench::mdbExportSeconds(database));
        try {
            const Run run = layOutOnce(database, report);
            first.push_back(run.firstPage);
            last.push_back(run.lastPage);
            all.push_back(run.allPagesMade);
            far.push_back(run.farPage);
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
    std::printf("  every page made once          %.2f s  (%u workers)\n", bench::median(all),
                std::max(1u, std::thread::hardware_concurrency()));
    if (bench::median(far) >= 0)
        std::printf("  page %d once counted        %.1f ms\n", farPage + 1, bench::median(far) * 1000);
    std::printf("  floor: mdb-export LiniesComanda %.2f s\n", bench::median(floor));
    std::printf("  peak memory                   %.0f MB\n", bench::peakMegabytes());
    return 0;
}
