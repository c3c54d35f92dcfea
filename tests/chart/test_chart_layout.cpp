// Charts drawn as page items, read back from the items: bars proportional
// to their values, stacks adding up, negative bars below the axis, wedges
// making a full turn, labels that never overlap, and a palette that stays
// apart in grey.

#include "FixedMetrics.h"

#include "engine/chart/AxisChart.h"
#include "engine/chart/ChartDrawing.h"
#include "engine/chart/ChartNumbers.h"
#include "engine/chart/ChartPalette.h"
#include "engine/chart/PieChart.h"

#include <QtTest>

#include <cmath>

using namespace velmora;
using namespace velmora::testing;

namespace {

const QRect chartRect(1000, 2000, 9000, 5000);

ChartValues valuesOf(std::vector<std::vector<std::optional<double>>> rows)
{
    ChartValues values;
    for (size_t s = 0; s < rows.size(); ++s)
        values.series.append(QStringLiteral("Sèrie %1").arg(s + 1));
    for (size_t c = 0; c < rows.front().size(); ++c)
        values.categories.append(QStringLiteral("C%1").arg(c + 1));
    values.values = std::move(rows);
    return values;
}

ChartDefinition barChart(BarStacking stacking = BarStacking::Clustered, BarDirection direction = BarDirection::Vertical)
{
    ChartDefinition chart;
    chart.stacking = stacking;
    chart.direction = direction;
    chart.title = QStringLiteral("Vendes");
    chart.series.resize(3);
    return chart;
}

/// The filled boxes of series `series`'s colour, in drawing order.
std::vector<QRect> barsOf(const std::vector<PageItem> &items, const ChartDefinition &chart, int series)
{
    std::vector<QRect> bars;
    bool pastLegend = false;
    for (const PageItem &item : items) {
        if (std::holds_alternative<LineItem>(item))
            pastLegend = true; // the plot starts with its gridlines; legend swatches come before
        const auto *box = std::get_if<BoxItem>(&item);
        if (pastLegend && box && box->filled && box->fillColor == chartColour(chart, series))
            bars.push_back(box->rect);
    }
    return bars;
}

std::vector<const TextItem *> textsOf(const std::vector<PageItem> &items)
{
    std::vector<const TextItem *> texts;
    for (const PageItem &item : items)
        if (const auto *text = std::get_if<TextItem>(&item))
            texts.push_back(text);
    return texts;
}

/// The drawing and its geometry, drawn the way drawChart does.
struct DrawnAxes {
    std::vector<PageItem> items;
    AxisGeometry geometry;
};

DrawnAxes drawAxes(const ChartDefinition &chart, const ChartValues &values)
{
    FixedMetrics metrics;
    DrawnAxes drawn;
    drawn.geometry = drawAxisChart(chart, values, chartRect, metrics, drawn.items);
    return drawn;
}

double lengthPerUnit(const AxisGeometry &g)
{
    return (g.horizontal ? g.plot.width() : g.plot.height()) / (g.scale.high - g.scale.low);
}

} // namespace

class ChartLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void barLengthsAreProportionalToTheValues_data()
    {
        QTest::addColumn<int>("direction");
        QTest::newRow("vertical") << int(BarDirection::Vertical);
        QTest::newRow("horizontal") << int(BarDirection::Horizontal);
    }

    void barLengthsAreProportionalToTheValues()
    {
        QFETCH(int, direction);
        const ChartDefinition chart = barChart(BarStacking::Clustered, BarDirection(direction));
        const ChartValues values = valuesOf({{90742.78, 276224.95, 2018692.4, 47242.0}, {10.0, 0.0, 503040.0, 81630.5}});
        const DrawnAxes drawn = drawAxes(chart, values);
        const double perUnit = lengthPerUnit(drawn.geometry);
        for (int s = 0; s < 2; ++s) {
            const std::vector<QRect> bars = barsOf(drawn.items, chart, s);
            int bar = 0;
            for (int c = 0; c < values.categoryCount(); ++c) {
                const double wanted = *values.at(s, c) * perUnit;
                if (std::lround(wanted) == 0)
                    continue; // a bar of no length is not drawn
                const QRect &r = bars[size_t(bar++)];
                const int length = drawn.geometry.horizontal ? r.width() : r.height();
                QVERIFY2(std::abs(length - wanted) <= 1.0,
                         qPrintable(QStringLiteral("%1 twips for %2").arg(length).arg(wanted)));
            }
            QCOMPARE(bar, int(bars.size()));
        }
    }

    void negativeBarsHangBelowTheAxis()
    {
        const ChartDefinition chart = barChart();
        const DrawnAxes drawn = drawAxes(chart, valuesOf({{40.0, -25.0, 10.0}}));
        QVERIFY(drawn.geometry.scale.low < 0);
        const double zero = drawn.geometry.valuePosition(0);
        const std::vector<QRect> bars = barsOf(drawn.items, chart, 0);
        QCOMPARE(bars.size(), size_t(3));
        QCOMPARE(bars[0].bottom() + 1, int(std::lround(zero)));
        QCOMPARE(bars[1].top(), int(std::lround(zero)));
        QVERIFY(bars[1].bottom() > zero);
    }

    void stackedSegmentsAddUpToTheCategoryTotal_data()
    {
        QTest::addColumn<int>("stacking");
        QTest::newRow("stacked") << int(BarStacking::Stacked);
        QTest::newRow("100 %") << int(BarStacking::Percent);
    }

    void stackedSegmentsAddUpToTheCategoryTotal()
    {
        QFETCH(int, stacking);
        const ChartDefinition chart = barChart(BarStacking(stacking));
        const ChartValues values = valuesOf({{30.0, 5.0, 12.5}, {20.0, 45.0, 0.0}, {50.0, 10.0, 37.5}});
        const DrawnAxes drawn = drawAxes(chart, values);
        const double perUnit = lengthPerUnit(drawn.geometry);
        for (int c = 0; c < values.categoryCount(); ++c) {
            double total = 0;
            for (int s = 0; s < values.seriesCount(); ++s)
                total += *values.at(s, c);
            const double wanted = (BarStacking(stacking) == BarStacking::Percent ? 100.0 : total) * perUnit;
            int top = INT_MAX, bottom = INT_MIN, sum = 0;
            for (int s = 0; s < values.seriesCount(); ++s) {
                for (const QRect &r : barsOf(drawn.items, chart, s)) {
                    if (std::abs(r.center().x() - drawn.geometry.categoryCentre(c)) > drawn.geometry.slot() / 2)
                        continue;
                    top = std::min(top, r.top());
                    bottom = std::max(bottom, r.top() + r.height());
                    sum += r.height();
                }
            }
            QCOMPARE(sum, bottom - top); // segments touch, none overlaps
            QVERIFY2(std::abs(sum - wanted) <= 1.0, qPrintable(QStringLiteral("%1 for %2").arg(sum).arg(wanted)));
        }
        if (BarStacking(stacking) == BarStacking::Percent)
            QCOMPARE(drawn.geometry.scale.high, 100.0);
    }

    void pieWedgesMakeAFullTurn_data()
    {
        QTest::addColumn<std::vector<std::optional<double>>>("values");
        QTest::addColumn<int>("wedges");
        QTest::newRow("shares") << std::vector<std::optional<double>>{87835.0, 2908.0, 1.0} << 3;
        QTest::newRow("negative, zero and missing left out")
            << std::vector<std::optional<double>>{-5.0, 10.0, 0.0, std::nullopt, 30.0} << 2;
        QTest::newRow("one value") << std::vector<std::optional<double>>{42.0} << 1;
        QTest::newRow("thirds") << std::vector<std::optional<double>>{1.0, 1.0, 1.0} << 3;
    }

    void pieWedgesMakeAFullTurn()
    {
        QFETCH(std::vector<std::optional<double>>, values);
        QFETCH(int, wedges);
        const std::vector<PieWedge> pie = pieWedges(values);
        QCOMPARE(int(pie.size()), wedges);
        double turned = 0;
        double expectedStart = 90;
        for (const PieWedge &w : pie) {
            QVERIFY(w.spanDegrees < 0); // clockwise from the top
            QVERIFY(std::abs(w.startDegrees - expectedStart) < 1e-9);
            expectedStart += w.spanDegrees;
            turned += w.spanDegrees;
        }
        QVERIFY(std::abs(turned + 360) < 1e-9);
    }

    void pieWithNothingPositiveDrawsNoWedge()
    {
        QVERIFY(pieWedges({-1.0, 0.0, std::nullopt}).empty());
        ChartDefinition chart;
        chart.type = ChartType::Pie;
        FixedMetrics metrics;
        const std::vector<PageItem> items = drawChart(chart, valuesOf({{-1.0, 0.0}}), chartRect, metrics);
        bool saysSo = false;
        for (const TextItem *t : textsOf(items))
            saysSo = saysSo || t->text == noChartDataText();
        QVERIFY(saysSo);
        for (const PageItem &item : items)
            QVERIFY(!std::holds_alternative<PathItem>(item));
    }

    void wedgeOutlinesStayOnTheCircle()
    {
        PathItem arc;
        const QPointF centre(5000, 5000);
        arc.addArc(centre, 2000, 90, -250, false);
        // Every end point lies on the circle; the curve between them strays
        // by less than a twip (checked at the middle of each piece).
        size_t p = 1;
        for (size_t s = 1; s < arc.steps.size(); ++s, p += 3) {
            QCOMPARE(arc.steps[s], PathItem::Step::Curve);
            const QPointF p0 = arc.points[p - 1], c1 = arc.points[p], c2 = arc.points[p + 1], p3 = arc.points[p + 2];
            const QPointF middle = (p0 + 3 * c1 + 3 * c2 + p3) / 8;
            QVERIFY(std::abs(std::hypot(p3.x() - centre.x(), p3.y() - centre.y()) - 2000) < 1e-6);
            QVERIFY(std::abs(std::hypot(middle.x() - centre.x(), middle.y() - centre.y()) - 2000) < 1.0);
        }
        QCOMPARE(arc.steps.size(), size_t(4)); // a move and three pieces of at most 90°
        const QPointF end = pointOnCircle(centre, 2000, -160);
        QVERIFY(std::hypot(arc.points.back().x() - end.x(), arc.points.back().y() - end.y()) < 1e-6);
    }

    void categoryLabelsNeverOverlap()
    {
        ChartDefinition chart = barChart();
        chart.series.resize(1);
        std::vector<std::optional<double>> row;
        ChartValues values;
        for (int i = 0; i < 60; ++i) {
            row.push_back(double(i * 7 % 23));
            values.categories.append(QStringLiteral("Client amb un nom llarg %1").arg(i));
        }
        values.series.append(QStringLiteral("Vendes"));
        values.values.push_back(row);
        const DrawnAxes drawn = drawAxes(chart, values);
        std::vector<QRect> labels;
        for (const TextItem *t : textsOf(drawn.items))
            if (t->box.top() > drawn.geometry.plot.bottom())
                labels.push_back(t->box);
        QVERIFY(labels.size() > 1);
        QVERIFY(labels.size() < size_t(values.categoryCount())); // thinned
        for (size_t i = 1; i < labels.size(); ++i)
            QVERIFY2(labels[i - 1].right() < labels[i].left(), qPrintable(QString::number(i)));
        for (const TextItem *t : textsOf(drawn.items))
            QVERIFY(t->text.size() <= 26); // long names cut, never wider than their room
    }

    void tickLabelsAlongAHorizontalAxisLeaveRoom()
    {
        const ChartDefinition chart = barChart(BarStacking::Clustered, BarDirection::Horizontal);
        const DrawnAxes drawn = drawAxes(chart, valuesOf({{123456789.0, 98765432.0}}));
        std::vector<QRect> ticks;
        for (const TextItem *t : textsOf(drawn.items))
            if (t->box.top() > drawn.geometry.plot.bottom())
                ticks.push_back(t->box);
        QCOMPARE(int(ticks.size()), drawn.geometry.scale.stepCount() + 1);
        for (size_t i = 1; i < ticks.size(); ++i)
            QVERIFY(ticks[i - 1].right() < ticks[i].left());
    }

    void everythingStaysInsideTheChart_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("legend");
        for (int type : {int(ChartType::Bar), int(ChartType::Line), int(ChartType::Area), int(ChartType::Pie),
                         int(ChartType::Doughnut)})
            for (int legend : {int(LegendPlace::Right), int(LegendPlace::Bottom), int(LegendPlace::None)})
                QTest::addRow("type %d legend %d", type, legend) << type << legend;
    }

    void everythingStaysInsideTheChart()
    {
        QFETCH(int, type);
        QFETCH(int, legend);
        ChartDefinition chart = barChart();
        chart.type = ChartType(type);
        chart.legend = LegendPlace(legend);
        chart.valueLabels = true;
        chart.categoryTitle = QStringLiteral("País");
        chart.valueTitle = QStringLiteral("Import");
        FixedMetrics metrics;
        const ChartValues values = valuesOf({{5.0, std::nullopt, 8.0, 2.0}, {1.0, 2.0, 3.0, 4.0}, {-1.0, 0.0, 1.0, 9.0}});
        const std::vector<PageItem> items = drawChart(chart, values, chartRect, metrics);
        QVERIFY(std::holds_alternative<ChartValuesItem>(items.front()));
        const QRect room = chartRect.adjusted(-1, -1, 1, 1);
        for (const PageItem &item : items) {
            if (const auto *t = std::get_if<TextItem>(&item))
                QVERIFY2(room.contains(t->box), qPrintable(t->text));
            else if (const auto *p = std::get_if<PathItem>(&item))
                QVERIFY(QRectF(room).adjusted(-50, -50, 50, 50).contains(p->bounds()));
            else if (const auto *b = std::get_if<BoxItem>(&item))
                QVERIFY(room.contains(b->rect));
        }
    }

    void chartValuesItemHoldsTheTable()
    {
        ChartDefinition chart = barChart();
        chart.valueFormat = QStringLiteral("#,##0.00");
        const ChartValuesItem table = chartValuesItem(chart, valuesOf({{1234.5, std::nullopt}}), chartRect);
        QCOMPARE(table.title, QStringLiteral("Vendes"));
        QCOMPARE(table.numbers.size(), size_t(2));
        QCOMPARE(chartValueText(table.valueFormat, *table.numbers[0][0]), QStringLiteral("1.234,50"));
        QCOMPARE(*table.numbers[0][0], 1234.5);
        QVERIFY(!table.numbers[1][0]);
    }

    void defaultPaletteStaysApartInGrey()
    {
        const std::vector<QRgb> &palette = defaultChartPalette();
        QVERIFY(palette.size() >= 6);
        for (size_t i = 0; i < 6; ++i)
            for (size_t j = i + 1; j < 6; ++j)
                QVERIFY2(std::abs(greyLevel(palette[i]) - greyLevel(palette[j])) >= 25,
                         qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
        for (size_t i = 1; i < palette.size(); ++i)
            QVERIFY(std::abs(greyLevel(palette[i - 1]) - greyLevel(palette[i])) >= 35); // neighbours far apart
    }

    void colourOfASeriesComesFirstThenThePalette()
    {
        ChartDefinition chart;
        chart.series.resize(2);
        chart.series[1].color = qRgb(1, 2, 3);
        chart.palette = {qRgb(10, 10, 10), qRgb(20, 20, 20)};
        QCOMPARE(chartColour(chart, 0), qRgb(10, 10, 10));
        QCOMPARE(chartColour(chart, 1), qRgb(1, 2, 3));
        QCOMPARE(chartColour(chart, 2), qRgb(10, 10, 10)); // the palette repeats
    }
};


QTEST_MAIN(ChartLayoutTest)
#include "test_chart_layout.moc"
