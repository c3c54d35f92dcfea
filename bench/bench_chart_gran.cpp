// A line chart of each client's monthly sales in every client footer of the
// large database's report of sales per client (its 5,000 clients grouped by
// name: one chart per footer), against the same report with the footers as
// tall and empty, measured in the same run: every page is built with its
// items, so every chart is gathered and drawn.
//
//   bench_chart_gran [database] [runs]
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

#include <cstdio>
#include <vector>

using namespace velmora;

namespace {

constexpr Twips chartHeight = 2200;

/// Seconds until every page is built, and how many pages and charts.
double buildEveryPage(const ReportDefinition &definition, const QString &database, int *pages, qint64 *charts)
{
    LayoutInput input = bench::layoutOver(definition, database);
    QElapsedTimer timer;
    timer.start();
    ReportLayout layout = createReportLayout(input);
    CancelToken cancel;
    *pages = layout.pages->layOutUntil(-1, cancel);
    *charts = 0;
    for (int p = 0; p < *pages; ++p)
        for (const PageItem &item : layout.pages->page(p).items)
            *charts += std::holds_alternative<ChartValuesItem>(item) ? 1 : 0;
    return timer.elapsed() / 1000.0;
}

/// The client footers made tall enough for a chart, without one.
ReportDefinition withTallFooters(ReportDefinition definition)
{
    definition.formulas.push_back({QStringLiteral("Mes"), {QStringLiteral("ToText({Comandes.DataComanda}, \"yyyy-MM\")"), 0, 0}});
    definition.sections[1].height += chartHeight;
    return definition;
}

ReportDefinition withCharts(ReportDefinition definition)
{
    auto chart = std::make_shared<ChartDefinition>();
    chart->type = ChartType::Line;
    chart->data = ChartData::Records;
    FieldRef month;
    month.kind = FieldRef::Kind::Formula;
    month.name = QStringLiteral("Mes");
    chart->xField = std::make_shared<FieldRef>(month);
    FieldRef amount = month;
    amount.name = QStringLiteral("Import");
    chart->series.push_back({std::make_shared<FieldRef>(amount), QStringLiteral("Vendes"), std::nullopt});
    chart->title = QStringLiteral("Vendes per mes");
    chart->legend = LegendPlace::None;
    chart->valueFormat = QStringLiteral("#,##0");
    ReportObject object;
    object.name = QStringLiteral("GraficClient");
    object.kind = ReportObject::Kind::Chart;
    object.rect = QRect(0, 300, 9000, chartHeight - 100);
    object.chart = chart;
    definition.sections[1].objects.push_back(object);
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
        const ReportDefinition floorReport =
            withTallFooters(readReportFile(source + QStringLiteral("/bench/vendes-per-client.rpt")));
        const ReportDefinition chartReport = withCharts(floorReport);
        std::vector<double> floor, charted;
        int pages = 0, chartPages = 0;
        qint64 none = 0, charts = 0;
        // Alternated, so that both see the same state of the machine.
        for (int r = 0; r < runs; ++r) {
            floor.push_back(buildEveryPage(floorReport, database, &pages, &none));
            charted.push_back(buildEveryPage(chartReport, database, &chartPages, &charts));
        }
        std::printf("%lld client footers of %s, %d runs (medians, seconds to build every page)\n",
                    static_cast<long long>(charts), qPrintable(QFileInfo(database).fileName()), runs);
        std::printf("  floor: footers without a chart      %.2f s  (%d pages)\n", bench::median(floor), pages);
        std::printf("  a monthly line chart in each        %.2f s  (%+.1f %%; %lld charts, %d pages)\n",
                    bench::median(charted), 100.0 * (bench::median(charted) / bench::median(floor) - 1.0),
                    static_cast<long long>(charts), chartPages);
        std::printf("  peak memory  %.0f MB\n", bench::peakMegabytes());
    } catch (const Failure &f) {
        std::printf("failure %d: %s\n", f.number(), qPrintable(f.description()));
        return 1;
    }
    return 0;
}
