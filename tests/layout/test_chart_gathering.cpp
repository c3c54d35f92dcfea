// What a chart draws is what the report prints: per group of the level
// inside its section's scope, per pair of levels, or per x of its records,
// after group selection and ranking have had their say.

#include "LayoutTestSupport.h"

#include "engine/core/Failure.h"
#include "engine/layout/ChartGathering.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

struct Sale {
    const char *country;
    const char *client;
    const char *month;
    int amount;
};

const std::vector<Sale> sales = {
    {"A", "a1", "2024-02", 20}, {"A", "a1", "2024-01", 30}, {"A", "a2", "2024-01", 30}, {"A", "a3", "2024-03", 10},
    {"B", "b1", "2024-02", 7},  {"B", "b2", "2024-01", 70}, {"C", "c1", "2024-05", -4}, {"C", "a1", "2024-04", 6},
};

MemoryData salesData()
{
    MemoryData data;
    auto &[columns, rows] = data.tables[QString()];
    columns = {u"V.Pais"_s, u"V.Client"_s, u"V.Mes"_s, u"V.Import"_s};
    for (const Sale &s : sales)
        rows.push_back({Value::string(QString::fromLatin1(s.country)), Value::string(QString::fromLatin1(s.client)),
                        Value::string(QString::fromLatin1(s.month)), Value::currency(Currency::fromWhole(s.amount))});
    return data;
}

FieldRef import() { return dbField(u"V"_s, u"Import"_s); }

ReportObject chartObject(const QString &name, ChartDefinition chart)
{
    ReportObject o;
    o.name = name;
    o.kind = ReportObject::Kind::Chart;
    o.rect = QRect(0, 0, 9000, 3000);
    o.chart = std::make_shared<ChartDefinition>(std::move(chart));
    return o;
}

ChartDefinition groupsChart(int categoryLevel, ChartData data = ChartData::Groups)
{
    ChartDefinition chart;
    chart.data = data;
    chart.categoryLevel = categoryLevel;
    const int summaryLevel = categoryLevel + (data == ChartData::GroupPairs ? 1 : 0);
    chart.series.push_back({std::make_shared<FieldRef>(summaryOf(SummaryOperation::Sum, import(), summaryLevel)),
                            u"Vendes"_s, std::nullopt});
    return chart;
}

std::shared_ptr<ReportDefinition> report(ReportObject chart, SectionKind kind, int level)
{
    auto d = std::make_shared<ReportDefinition>();
    d->tables = {{u"Vendes"_s, u"V"_s, {}}};
    GroupDefinition country;
    country.field = dbField(u"V"_s, u"Pais"_s);
    GroupDefinition client;
    client.field = dbField(u"V"_s, u"Client"_s);
    d->groups = {country, client};
    d->sections = {section(u"S"_s, kind, 3200, {std::move(chart)}, level)};
    return d;
}

/// Every chart's table of values, in page order.
std::vector<ChartValuesItem> chartsOf(const std::shared_ptr<ReportDefinition> &definition, const MemoryData &data)
{
    const auto source = layOut(definition, data);
    CancelToken cancel;
    source->layOutUntil(-1, cancel);
    std::vector<ChartValuesItem> charts;
    for (int p = 0; p < source->pagesLaidOut(); ++p)
        for (const PageItem &item : source->page(p).items)
            if (const auto *chart = std::get_if<ChartValuesItem>(&item))
                charts.push_back(*chart);
    return charts;
}

std::vector<double> column(const ChartValuesItem &chart, int series = 0)
{
    std::vector<double> values;
    for (const auto &row : chart.numbers)
        values.push_back(row[size_t(series)].value_or(-1e9));
    return values;
}

} // namespace

class ChartGatheringTest : public QObject {
    Q_OBJECT

    const MemoryData m_data = salesData();

private slots:
    void reportHeaderChartHasABarPerCountry()
    {
        const auto charts = chartsOf(report(chartObject(u"G"_s, groupsChart(0)), SectionKind::ReportHeader, -1), m_data);
        QCOMPARE(charts.size(), size_t(1));
        QCOMPARE(charts[0].categories, (QStringList{u"A"_s, u"B"_s, u"C"_s}));
        QCOMPARE(column(charts[0]), (std::vector<double>{90, 77, 2}));
        QCOMPARE(charts[0].series, QStringList{u"Vendes"_s});
    }

    void groupHeaderChartHasItsOwnClientsOnly()
    {
        const auto charts = chartsOf(report(chartObject(u"G"_s, groupsChart(1)), SectionKind::GroupHeader, 0), m_data);
        QCOMPARE(charts.size(), size_t(3));
        QCOMPARE(charts[0].categories, (QStringList{u"a1"_s, u"a2"_s, u"a3"_s}));
        QCOMPARE(column(charts[0]), (std::vector<double>{50, 30, 10}));
        QCOMPARE(charts[1].categories, (QStringList{u"b1"_s, u"b2"_s}));
        QCOMPARE(charts[2].categories, (QStringList{u"a1"_s, u"c1"_s}));
        QCOMPARE(column(charts[2]), (std::vector<double>{6, -4}));
    }

    void groupsLeftOutBySelectionAreLeftOutOfTheChart()
    {
        auto definition = report(chartObject(u"G"_s, groupsChart(0)), SectionKind::ReportFooter, -1);
        definition->groups[0].selection = FormulaText{u"Sum({V.Import}, {V.Pais}) > 10"_s, 0, 0};
        const auto charts = chartsOf(definition, m_data);
        QCOMPARE(charts.front().categories, (QStringList{u"A"_s, u"B"_s}));
    }

    void rankedClientsAndTheRestAddUpToTheCountry()
    {
        auto definition = report(chartObject(u"G"_s, groupsChart(1)), SectionKind::GroupFooter, 0);
        GroupRanking best;
        best.by = summaryOf(SummaryOperation::Sum, import(), 1);
        best.keep = 1;
        best.gatherRest = true;
        definition->groups[1].ranking = best;
        const auto charts = chartsOf(definition, m_data);
        QCOMPARE(charts[0].categories, (QStringList{u"a1"_s, u"Altres"_s}));
        QCOMPARE(column(charts[0]), (std::vector<double>{50, 40}));
        QCOMPARE(charts[1].categories, (QStringList{u"b2"_s, u"Altres"_s}));

        best.gatherRest = false; // the rest left out: the chart shows the best alone
        definition->groups[1].ranking = best;
        QCOMPARE(chartsOf(definition, m_data)[0].categories, QStringList{u"a1"_s});
    }

    void pairsMakeASeriesPerInnerGroup()
    {
        const auto charts = chartsOf(
            report(chartObject(u"G"_s, groupsChart(0, ChartData::GroupPairs)), SectionKind::ReportHeader, -1), m_data);
        const ChartValuesItem &chart = charts.front();
        QCOMPARE(chart.categories, (QStringList{u"A"_s, u"B"_s, u"C"_s}));
        QCOMPARE(chart.series, (QStringList{u"a1"_s, u"a2"_s, u"a3"_s, u"b1"_s, u"b2"_s, u"c1"_s}));
        QCOMPARE(*chart.numbers[0][0], 50.0); // a1 in A
        QCOMPARE(*chart.numbers[2][0], 6.0);  // a1 in C
        QVERIFY(!chart.numbers[1][0]);        // no a1 in B
        QCOMPARE(*chart.numbers[1][4], 70.0); // b2 in B
    }

    void recordsAreSummedPerXInOrder()
    {
        ChartDefinition chart;
        chart.type = ChartType::Line;
        chart.data = ChartData::Records;
        chart.xField = std::make_shared<FieldRef>(dbField(u"V"_s, u"Mes"_s));
        chart.series.push_back({std::make_shared<FieldRef>(import()), u"Vendes"_s, std::nullopt});
        auto charts = chartsOf(report(chartObject(u"G"_s, chart), SectionKind::ReportHeader, -1), m_data);
        QCOMPARE(charts[0].categories,
                 (QStringList{u"2024-01"_s, u"2024-02"_s, u"2024-03"_s, u"2024-04"_s, u"2024-05"_s}));
        QCOMPARE(column(charts[0]), (std::vector<double>{130, 27, 10, 6, -4}));

        chart.maximumPoints = 3; // the bound: first, middle and last of the ordered points
        charts = chartsOf(report(chartObject(u"G"_s, chart), SectionKind::ReportHeader, -1), m_data);
        QCOMPARE(charts[0].categories, (QStringList{u"2024-01"_s, u"2024-03"_s, u"2024-05"_s}));

        chart.maximumPoints = 1000; // in a country's header: that country's records only
        charts = chartsOf(report(chartObject(u"G"_s, chart), SectionKind::GroupHeader, 0), m_data);
        QCOMPARE(charts[1].categories, (QStringList{u"2024-01"_s, u"2024-02"_s}));
        QCOMPARE(column(charts[1]), (std::vector<double>{70, 7}));
    }

    void boundedPointsSpreadOverTheWholeRange_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<std::vector<int>>("kept");
        QTest::newRow("under the bound") << 3 << 5 << std::vector<int>{0, 1, 2};
        QTest::newRow("none") << 0 << 5 << std::vector<int>{};
        QTest::newRow("two of many") << 1000 << 2 << std::vector<int>{0, 999};
        QTest::newRow("four of ten") << 10 << 4 << std::vector<int>{0, 3, 6, 9};
    }

    void boundedPointsSpreadOverTheWholeRange()
    {
        QFETCH(int, count);
        QFETCH(int, maximum);
        QFETCH(std::vector<int>, kept);
        QCOMPARE(boundedPoints(count, maximum), kept);
    }

    void chartOfAMissingGroupIsRefused()
    {
        auto definition = report(chartObject(u"G"_s, groupsChart(1, ChartData::GroupPairs)), SectionKind::ReportHeader, -1);
        try {
            chartsOf(definition, m_data);
            QFAIL("the chart was drawn");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), 5040);
        }
    }
};

QTEST_MAIN(ChartGatheringTest)
#include "test_chart_gathering.moc"
