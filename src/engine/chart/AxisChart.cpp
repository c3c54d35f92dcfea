#include "engine/chart/AxisChart.h"

#include "engine/chart/ChartLabels.h"
#include "engine/chart/ChartNumbers.h"
#include "engine/chart/ChartPalette.h"
#include "engine/chart/ChartSeriesDrawing.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr Twips tickLength = 60;
constexpr Twips gap = 80;
constexpr QRgb gridColour = 0xffd0d0d0;
constexpr QRgb axisColour = 0xff404040;

bool isPercent(const ChartDefinition &chart)
{
    return chart.type == ChartType::Bar && chart.stacking == BarStacking::Percent;
}

bool startsAtZero(const ChartDefinition &chart)
{
    return chart.type == ChartType::Bar || chart.type == ChartType::Area;
}

LineItem lineBetween(QPointF from, QPointF to, Twips width, QRgb colour)
{
    LineItem line;
    line.from = from.toPoint();
    line.to = to.toPoint();
    line.width = width;
    line.color = colour;
    return line;
}

std::vector<QString> tickTexts(const ChartDefinition &chart, const ValueScale &scale)
{
    std::vector<QString> texts;
    for (int i = 0; i <= scale.stepCount(); ++i)
        texts.push_back(chartTickText(chart, scale.tick(i), scale.decimals(), isPercent(chart)));
    return texts;
}

Twips widestOf(ChartTextMetrics &metrics, const FontSpec &font, const std::vector<QString> &texts)
{
    Twips widest = 0;
    for (const QString &text : texts)
        widest = std::max(widest, metrics.width(font, text));
    return widest;
}

/// Takes a line off the top or the bottom of `room` for an axis title.
void placeAxisTitle(const QString &title, bool atTop, bool centred, const ChartDefinition &chart,
                    ChartTextMetrics &metrics, QRect &room, std::vector<PageItem> &items)
{
    if (title.isEmpty())
        return;
    FontSpec font = chart.font;
    font.bold = true;
    const Twips line = metrics.lineHeight(font);
    const Twips top = atTop ? room.top() : room.bottom() + 1 - line;
    items.emplace_back(chartText(metrics, QRect(room.left(), top, room.width(), line),
                                 elidedLabel(metrics, font, title, room.width()), font, chart.textColor,
                                 centred ? HorizontalAlignment::Center : HorizontalAlignment::Left));
    if (atTop)
        room.setTop(room.top() + line + gap / 2);
    else
        room.setBottom(room.bottom() - line - gap / 2);
}

/// The scale whose tick labels, side by side along `length`, leave room
/// between them.
ValueScale scaleAlong(const ChartDefinition &chart, std::pair<double, double> range, double length,
                      ChartTextMetrics &metrics)
{
    int steps = std::clamp(int(length / 900), 1, 10);
    for (;;) {
        const ValueScale scale = niceScale(range.first, range.second, steps, startsAtZero(chart));
        const Twips widest = widestOf(metrics, chart.font, tickTexts(chart, scale));
        if (steps == 1 || length / scale.stepCount() >= widest + labelGap)
            return scale;
        --steps;
    }
}

AxisGeometry verticalGeometry(const ChartDefinition &chart, std::pair<double, double> range, QRect room,
                              ChartTextMetrics &metrics)
{
    const Twips line = metrics.lineHeight(chart.font);
    room.setBottom(room.bottom() - line - tickLength);
    room.setTop(room.top() + line / 2); // the top tick's label stands half above it
    AxisGeometry geometry;
    const int steps = std::clamp(room.height() / std::max(1, 2 * line), 1, 10);
    geometry.scale = niceScale(range.first, range.second, steps, startsAtZero(chart));
    const Twips labels = widestOf(metrics, chart.font, tickTexts(chart, geometry.scale));
    room.setLeft(room.left() + labels + tickLength + gap / 2);
    geometry.plot = room;
    return geometry;
}

AxisGeometry horizontalGeometry(const ChartDefinition &chart, std::pair<double, double> range, QRect room,
                                const std::vector<QString> &categories, ChartTextMetrics &metrics)
{
    const Twips line = metrics.lineHeight(chart.font);
    room.setBottom(room.bottom() - line - tickLength);
    const Twips labels = std::min(widestOf(metrics, chart.font, categories), room.width() / 3);
    room.setLeft(room.left() + labels + tickLength + gap / 2);
    AxisGeometry geometry;
    geometry.horizontal = true;
    // The last tick's label stands half beyond the plot's right edge.
    const Twips reserve = std::min(room.width() / 4, Twips(600));
    room.setRight(room.right() - reserve);
    geometry.scale = scaleAlong(chart, range, room.width(), metrics);
    geometry.plot = room;
    return geometry;
}

void drawGridAndTicks(const ChartDefinition &chart, const AxisGeometry &g, const QRect &area,
                      ChartTextMetrics &metrics, std::vector<PageItem> &items)
{
    const std::vector<QString> texts = tickTexts(chart, g.scale);
    const QRect &p = g.plot;
    const Twips line = metrics.lineHeight(chart.font);
    for (int i = 0; i <= g.scale.stepCount(); ++i) {
        const double at = g.valuePosition(g.scale.tick(i));
        if (g.horizontal) {
            if (chart.gridlines)
                items.emplace_back(lineBetween({at, double(p.top())}, {at, double(p.bottom() + 1)}, 10, gridColour));
            items.emplace_back(centredText(metrics, at, p.bottom() + 1 + tickLength, texts[size_t(i)], chart.font,
                                           chart.textColor, area.left(), area.right() + 1));
        } else {
            if (chart.gridlines)
                items.emplace_back(lineBetween({double(p.left()), at}, {double(p.right() + 1), at}, 10, gridColour));
            const Twips width = metrics.width(chart.font, texts[size_t(i)]) + 20;
            const QRect box(p.left() - tickLength - width, Twips(std::lround(at)) - line / 2, width, line);
            items.emplace_back(chartText(metrics, box, texts[size_t(i)], chart.font, chart.textColor,
                                         HorizontalAlignment::Right));
        }
    }
}

void drawAxes(const AxisGeometry &g, std::vector<PageItem> &items)
{
    const QRect &p = g.plot;
    const double zero = g.valuePosition(std::clamp(0.0, g.scale.low, g.scale.high));
    if (g.horizontal) {
        items.emplace_back(lineBetween({zero, double(p.top())}, {zero, double(p.bottom() + 1)}, 15, axisColour));
        items.emplace_back(lineBetween({double(p.left()), double(p.bottom() + 1)},
                                       {double(p.right() + 1), double(p.bottom() + 1)}, 15, axisColour));
    } else {
        items.emplace_back(lineBetween({double(p.left()), zero}, {double(p.right() + 1), zero}, 15, axisColour));
        items.emplace_back(lineBetween({double(p.left()), double(p.top())}, {double(p.left()), double(p.bottom() + 1)},
                                       15, axisColour));
    }
}

void drawCategoryLabels(const ChartDefinition &chart, const ChartValues &values, const AxisGeometry &g,
                        const QRect &area, ChartTextMetrics &metrics, std::vector<PageItem> &items)
{
    const Twips line = metrics.lineHeight(chart.font);
    const QRect &p = g.plot;
    // Names are cut to their room (below a bar, a short word's width at
    // least); then only every stride-th is shown so that none overlaps the next.
    const Twips room = g.horizontal ? std::max(0, p.left() - tickLength - area.left())
                                    : std::max(Twips(g.slot()) - labelGap, Twips(900));
    std::vector<QString> shown;
    std::vector<Twips> extents;
    for (const QString &name : values.categories) {
        shown.push_back(elidedLabel(metrics, chart.font, name, room));
        extents.push_back(g.horizontal ? line : metrics.width(chart.font, shown.back()) + 20);
    }
    const int stride = labelStride(extents, g.slot());
    for (int i = 0; i < values.categoryCount(); i += stride) {
        const double centre = g.categoryCentre(i);
        if (g.horizontal) {
            const Twips right = p.left() - tickLength;
            const Twips width = std::min(metrics.width(chart.font, shown[size_t(i)]) + 20, room);
            const QRect box(right - width, Twips(std::lround(centre)) - line / 2, width, line);
            items.emplace_back(chartText(metrics, box, shown[size_t(i)], chart.font, chart.textColor,
                                         HorizontalAlignment::Right));
        } else {
            items.emplace_back(centredText(metrics, centre, p.bottom() + 1 + tickLength, shown[size_t(i)], chart.font,
                                           chart.textColor, area.left(), area.right() + 1));
        }
    }
}

} // namespace

double AxisGeometry::valuePosition(double value) const
{
    const double f = std::clamp(scale.fraction(value), 0.0, 1.0);
    return horizontal ? plot.left() + f * plot.width() : plot.top() + (1 - f) * plot.height();
}

double AxisGeometry::slot() const
{
    return (horizontal ? plot.height() : plot.width()) / double(std::max(1, categoryCount));
}

double AxisGeometry::slotStart(int index) const
{
    return (horizontal ? plot.top() : plot.left()) + index * slot();
}

std::pair<double, double> valueRange(const ChartDefinition &chart, const ChartValues &values)
{
    if (isPercent(chart))
        return {0.0, 100.0};
    const bool stacked = chart.type == ChartType::Bar && chart.stacking == BarStacking::Stacked;
    double low = 0, high = 0;
    bool any = false;
    for (int c = 0; c < values.categoryCount(); ++c) {
        double up = 0, down = 0;
        for (int s = 0; s < values.seriesCount(); ++s) {
            const std::optional<double> v = values.at(s, c);
            if (!v)
                continue;
            if (stacked) {
                (*v >= 0 ? up : down) += *v;
                continue;
            }
            low = any ? std::min(low, *v) : *v;
            high = any ? std::max(high, *v) : *v;
            any = true;
        }
        if (stacked) {
            low = std::min(low, down);
            high = std::max(high, up);
        }
    }
    return {low, high};
}

AxisGeometry drawAxisChart(const ChartDefinition &chart, const ChartValues &values, const QRect &area,
                           ChartTextMetrics &metrics, std::vector<PageItem> &items)
{
    const bool horizontal = chart.type == ChartType::Bar && chart.direction == BarDirection::Horizontal;
    QRect room = area;
    placeAxisTitle(horizontal ? chart.categoryTitle : chart.valueTitle, true, false, chart, metrics, room, items);
    placeAxisTitle(horizontal ? chart.valueTitle : chart.categoryTitle, false, true, chart, metrics, room, items);
    const std::vector<QString> categories(values.categories.begin(), values.categories.end());
    const auto range = valueRange(chart, values);
    AxisGeometry geometry = horizontal ? horizontalGeometry(chart, range, room, categories, metrics)
                                       : verticalGeometry(chart, range, room, metrics);
    geometry.categoryCount = std::max(1, values.categoryCount());
    if (geometry.plot.width() <= 0 || geometry.plot.height() <= 0)
        return geometry;
    drawGridAndTicks(chart, geometry, area, metrics, items);
    drawSeries(chart, values, geometry, metrics, items);
    drawAxes(geometry, items);
    drawCategoryLabels(chart, values, geometry, area, metrics, items);
    return geometry;
}

} // namespace velmora
