// Ranks the 5,000 clients of the large database by their sales and compares
// the time with the same grouped report in client order, measured in the
// same run; then adds a median and a percentile over every line and says
// what that costs in time and memory.
//
//   bench_ranking_gran [database] [runs]
//
// The database defaults to ../shared/fixtures/gran.mdb beside the checkout.

#include "BenchFigures.h"
#include "LayoutOverDatabase.h"
#include "engine/core/Failure.h"
#include "engine/definition/ReportReader.h"
#include "engine/layout/ReportLayout.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace velmora;

namespace {

/// Seconds until the last page is laid out.
double layOutSeconds(const ReportDefinition &definition, const QString &database, int *pages)
{
    QElapsedTimer timer;
    timer.start();
    ReportLayout layout = createReportLayout(bench::layoutOver(definition, database));
    CancelToken cancel;
    *pages = layout.pages->layOutUntil(-1, cancel);
    layout.pages->page(*pages - 1);
    return timer.elapsed() / 1000.0;
}

ReportDefinition rankedBySales(ReportDefinition definition)
{
    GroupRanking ranking;
    ranking.by = definition.sections[1].objects[1].field; // the client's Sum of {@Import}
    ranking.direction = SortDirection::Descending;
    definition.groups[0].ranking = ranking;
    return definition;
}

/// The ranked report with a median and a 90th percentile of every line in
/// its report footer: one column of a million amounts, once.
ReportDefinition withLineStatistics(ReportDefinition definition)
{
    ReportObject &total = definition.sections.back().objects.front();
    ReportObject median = total;
    median.name = QStringLiteral("Mediana");
    median.field.operation = SummaryOperation::Median;
    ReportObject percentile = total;
    percentile.name = QStringLiteral("Percentil");
    percentile.field.operation = SummaryOperation::Percentile;
    percentile.field.argument = 90;
    definition.sections.back().objects.push_back(median);
    definition.sections.back().objects.push_back(percentile);
    return definition;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString source = QStringLiteral(VELMORA_SOURCE_DIR);
    const QString database = bench::largeDatabase(argc, argv, 1);
    const int runs = bench::runCount(argc, argv, 2);
    if (!bench::databaseIsPresent(database))
        return 0;
    try {
        const ReportDefinition byValue = readReportFile(source + QStringLiteral("/bench/vendes-per-client.rpt"));
        const ReportDefinition bySales = rankedBySales(byValue);
        const ReportDefinition withStatistics = withLineStatistics(bySales);
        std::vector<double> floor, ranked, statistics;
        int pages = 0;
        // Alternated, so that both see the same state of the machine.
        for (int r = 0; r < runs; ++r) {
            floor.push_back(layOutSeconds(byValue, database, &pages));
            ranked.push_back(layOutSeconds(bySales, database, &pages));
        }
        const double peakBefore = bench::peakMegabytes();
        for (int r = 0; r < runs; ++r)
            statistics.push_back(layOutSeconds(withStatistics, database, &pages));
        std::printf("5,000 clients of %s, %d runs (medians, seconds to the last page)\n",
                    qPrintable(QFileInfo(database).fileName()), runs);
        std::printf("  floor: grouped in client order      %.2f s\n", bench::median(floor));
        std::printf("  ranked by sales                     %.2f s  (%+.1f %%)\n", bench::median(ranked),
                    100.0 * (bench::median(ranked) / bench::median(floor) - 1.0));
        std::printf("  ranked, with a median and a P90     %.2f s  (%+.1f %%)\n", bench::median(statistics),
                    100.0 * (bench::median(statistics) / bench::median(floor) - 1.0));
        std::printf("  peak memory before / after the statistics  %.0f / %.0f MB\n", peakBefore, bench::peakMegabytes());
    } catch (const Failure &f) {
        std::printf("failure %d: %s\n", f.number(), qPrintable(f.description()));
        return 1;
    }
    return 0;
}
