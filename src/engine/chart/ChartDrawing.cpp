#include "engine/chart/ChartDrawing.h"

#include "engine/chart/AxisChart.h"
#include "engine/chart/ChartFrame.h"
#include "engine/chart/ChartLabels.h"
#include "engine/chart/ChartNumbers.h"
#include "engine/chart/PieChart.h"
#include "engine/formula/ValueFormatter.h"

namespace velmora {

namespace {

bool hasAnyValue(const ChartValues &values)
{
    for (const auto &series : values.values)
        for (const std::optional<double> &v : series)
            if (v)
                return true;
    return false;
}

bool drawsSomething(const ChartDefinition &chart, const ChartValues &values)
{
    if (!chart.isRound())
        return hasAnyValue(values);
    return values.seriesCount() > 0 && !pieWedges(values.values.front()).empty();
}

} // namespace

QString noChartDataText()
{
    return QStringLiteral("Sense dades");
}

ChartValuesItem chartValuesItem(const ChartDefinition &chart, const ChartValues &values, const QRect &rect)
{
    ChartValuesItem item;
    item.rect = rect;
    item.title = chart.title;
    item.categoryTitle = chart.categoryTitle;
    item.series = values.series;
    item.categories = values.categories;
    item.cellFormat = spreadsheetFormat(ValueType::Number, chart.valueFormat.isEmpty() ? QStringLiteral("#,##0.##")
                                                                                         : chart.valueFormat);
    item.valueFormat = chart.valueFormat;
    // The numbers are written out only by the outputs that print them as a
    // table: the drawing itself has its own labels.
    for (int c = 0; c < values.categoryCount(); ++c) {
        std::vector<std::optional<double>> numbers;
        for (int s = 0; s < values.seriesCount(); ++s)
            numbers.push_back(values.at(s, c));
        item.numbers.push_back(std::move(numbers));
    }
    return item;
}

std::vector<PageItem> drawChart(const ChartDefinition &chart, const ChartValues &values, const QRect &rect,
                                ChartTextMetrics &metrics)
{
    std::vector<PageItem> items;
    items.emplace_back(chartValuesItem(chart, values, rect));
    const QStringList legend = chart.isRound() ? values.categories : values.series;
    const ChartFrame frame(chart, rect, legend, metrics);
    items.insert(items.end(), frame.items().begin(), frame.items().end());
    const QRect plot = frame.plotArea();
    if (!drawsSomething(chart, values)) {
        const Twips line = metrics.lineHeight(chart.font);
        items.emplace_back(chartText(metrics, QRect(plot.left(), plot.center().y() - line / 2, plot.width(), line),
                                     noChartDataText(), chart.font, chart.textColor, HorizontalAlignment::Center));
        return items;
    }
    if (chart.isRound())
        drawPieChart(chart, values, plot, metrics, items);
    else
        drawAxisChart(chart, values, plot, metrics, items);
    return items;
}

} // namespace velmora
