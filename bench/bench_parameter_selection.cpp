// Lays out the sales report over the large database restricted to one year,
// once through a parameter and once with the year written into the record
// selection, and prints the medians of both: the literal selection is the
// floor the parameter must not exceed. The same for a date range.
//
//   bench_parameter_selection [database] [runs]
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

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace velmora;

namespace {

struct Variant {
    const char *label;
    QString selection;
    ParameterDefinition parameter; ///< unnamed: none
    ParameterValue value;
};

Value day(int y, int m, int d) { return Value::date(DateTime::fromDate(QDate(y, m, d))); }

std::vector<Variant> variants()
{
    ParameterDefinition year{QStringLiteral("Any"), ValueType::Integer, QString(), {}};
    ParameterDefinition period{QStringLiteral("Període"), ValueType::Date, QString(), {}};
    period.rangeValues = true;
    ParameterValue year2023(Value::integer(2023));
    ParameterValue range2023;
    range2023.ranges = {{day(2023, 1, 1), day(2023, 12, 31), true, true}};
    return {
        {"year through a parameter", QStringLiteral("Year({Comandes.DataComanda}) = {?Any}"), year, year2023},
        {"year written in the formula", QStringLiteral("Year({Comandes.DataComanda}) = 2023"), {}, {}},
        {"date range through a parameter", QStringLiteral("{Comandes.DataComanda} in {?Període}"), period, range2023},
        {"date range written in the formula",
         QStringLiteral("{Comandes.DataComanda} in #2023-01-01# to #2023-12-31#"), {}, {}},
    };
}

/// Seconds until every page is laid out, and the page count.
std::pair<double, int> layOutOnce(const QString &database, const QString &reportPath, const Variant &variant)
{
    auto definition = std::make_shared<ReportDefinition>(readReportFile(reportPath));
    definition->recordSelection.text = variant.selection;
    if (!variant.parameter.name.isEmpty())
        definition->parameters.push_back(variant.parameter);
    LayoutInput input = bench::layoutOver(definition, database, QFileInfo(reportPath).absolutePath());
    if (!variant.parameter.name.isEmpty())
        input.parameters[variant.parameter.name] = variant.value;
    QElapsedTimer timer;
    timer.start();
    ReportLayout layout = createReportLayout(input);
    CancelToken cancel;
    const int pages = layout.pages->layOutUntil(-1, cancel);
    layout.pages->page(pages - 1);
    return {timer.elapsed() / 1000.0, pages};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString source = QStringLiteral(VELMORA_SOURCE_DIR);
    const QString database = bench::largeDatabase(argc, argv, 1);
    const QString report = source + QStringLiteral("/examples/vendes-per-pais.rpt");
    const int runs = bench::runCount(argc, argv, 2);
    if (!bench::databaseIsPresent(database))
        return 0;
    const std::vector<Variant> all = variants();
    std::vector<std::vector<double>> seconds(all.size());
    std::vector<int> pages(all.size());
    try {
        // Interleaved, so that a busy moment of the machine falls on every variant alike.
        for (int r = 0; r < runs; ++r)
            for (size_t v = 0; v < all.size(); ++v) {
                const auto [time, count] = layOutOnce(database, report, all[v]);
                seconds[v].push_back(time);
                pages[v] = count;
            }
    } catch (const Failure &f) {
        std::printf("failure %d: %s\n", f.number(), qPrintable(f.description()));
        return 1;
    }
    std::printf("report %s over %s restricted to 2023, %d runs (medians, every page laid out)\n",
                qPrintable(QFileInfo(report).fileName()), qPrintable(QFileInfo(database).fileName()), runs);
    for (size_t v = 0; v < all.size(); ++v)
        std::printf("  %-34s %6.2f s  %d pages%s\n", all[v].label, bench::median(seconds[v]), pages[v],
                    v % 2 == 1 ? "  (floor)" : "");
    return 0;
}
