#include "engine/chart/ChartSeriesDrawing.h"

#include "engine/chart/ChartLabels.h"
#include "engine/chart/ChartNumbers.h"
#include "engine/chart/ChartPalette.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

/// The part of a category's slot its bars fill.
constexpr double barShare = 0.7;
constexpr double lineWidth = 30;
constexpr double markerRadius = 45;

/// Value labels that would overlap one already placed are left out.
class LabelPlacer {
public:
    LabelPlacer(const ChartDefinition &chart, ChartTextMetrics &metrics, std::vector<PageItem> &items)
        : m_chart(chart), m_metrics(metrics), m_items(items)
    {
    }

    /// A label centred on `centre`, just beyond the end of a bar or point:
    /// above or, with `below`, beneath it; beside it when `sideways`.
    void place(double value, QPointF end, bool sideways, bool below)
    {
        const QString text = chartValueText(m_chart, value);
        const Twips width = m_metrics.width(m_chart.font, text) + 20;
        const Twips line = m_metrics.lineHeight(m_chart.font);
        QPoint topLeft;
        if (sideways)
            topLeft = QPoint(int(std::lround(below ? end.x() - 40 - width : end.x() + 40)),
                             int(std::lround(end.y() - line / 2.0)));
        else
            topLeft = QPoint(int(std::lround(end.x() - width / 2.0)),
                             int(std::lround(below ? end.y() + 20 : end.y() - 20 - line)));
        placeAt(QRect(topLeft, QSize(width, line)), text, sideways && below ? HorizontalAlignment::Right
                                                                            : HorizontalAlignment::Center);
    }

    /// A label in the middle of a stacked segment, when it fits there.
    void placeInside(double value, const QRectF &segment)
    {
        const QString text = chartValueText(m_chart, value);
        const Twips width = m_metrics.width(m_chart.font, text) + 20;
        const Twips line = m_metrics.lineHeight(m_chart.font);
        if (width > segment.width() || line > segment.height())
            return;
        const QPointF c = segment.center();
        placeAt(QRect(int(std::lround(c.x() - width / 2.0)), int(std::lround(c.y() - line / 2.0)), width, line), text,
                HorizontalAlignment::Center);
    }

private:
    void placeAt(const QRect &box, const QString &text, HorizontalAlignment alignment)
    {
        for (const QRect &taken : m_taken)
            if (taken.intersects(box))
                return;
        m_taken.push_back(box);
        m_pending.emplace_back(chartText(m_metrics, box, text, m_chart.font, m_chart.textColor, alignment));
    }

public:
    /// The labels go on top of every bar and line.
    void flush()
    {
        for (TextItem &label : m_pending)
            m_items.emplace_back(std::move(label));
        m_pending.clear();
    }

private:

    const ChartDefinition &m_chart;
    ChartTextMetrics &m_metrics;
    std::vector<PageItem> &m_items;
    std::vector<QRect> m_taken;
    std::vector<TextItem> m_pending;
};

/// A bar from value `from` to value `to` across `across`..`across + thickness`.
QRectF barRect(const AxisGeometry &g, double from, double to, double across, double thickness)
{
    const double a = g.valuePosition(from), b = g.valuePosition(to);
    if (g.horizontal)
        return QRectF(QPointF(std::min(a, b), across), QPointF(std::max(a, b), across + thickness));
    return QRectF(QPointF(across, std::min(a, b)), QPointF(across + thickness, std::max(a, b)));
}

/// Edges rounded one by one, so that bars sharing an edge still share it
/// and no length is off by more than a twip.
QRect roundedRect(const QRectF &r)
{
    const int left = int(std::lround(r.left())), top = int(std::lround(r.top()));
    const int right = int(std::lround(r.right())), bottom = int(std::lround(r.bottom()));
    return QRect(left, top, right - left, bottom - top);
}

void addBar(const QRectF &r, QRgb colour, std::vector<PageItem> &items)
{
    BoxItem bar;
    bar.rect = roundedRect(r);
    bar.filled = true;
    bar.fillColor = colour;
    bar.borderWidth = 0;
    if (bar.rect.width() > 0 && bar.rect.height() > 0)
        items.emplace_back(bar);
}

void drawClusteredBars(const ChartDefinition &chart, const ChartValues &values, const AxisGeometry &g,
                       LabelPlacer &labels, std::vector<PageItem> &items)
{
    const int seriesCount = std::max(1, values.seriesCount());
    const double thickness = g.slot() * barShare / seriesCount;
    const double base = std::clamp(0.0, g.scale.low, g.scale.high);
    for (int s = 0; s < values.seriesCount(); ++s) {
        for (int c = 0; c < values.categoryCount(); ++c) {
            const std::optional<double> v = values.at(s, c);
            if (!v)
                continue;
            const double across = g.slotStart(c) + g.slot() * (1 - barShare) / 2 + s * thickness;
            const QRectF r = barRect(g, base, *v, across, thickness);
            addBar(r, chartColour(chart, s), items);
            if (chart.valueLabels) {
                const bool negative = *v < 0;
                const QPointF end = g.horizontal ? QPointF(negative ? r.left() : r.right(), r.center().y())
                                                 : QPointF(r.center().x(), negative ? r.bottom() : r.top());
                labels.place(*v, end, g.horizontal, negative);
            }
        }
    }
}

void drawStackedBars(const ChartDefinition &chart, const ChartValues &values, const AxisGeometry &g,
                     LabelPlacer &labels, std::vector<PageItem> &items)
{
    const bool percent = chart.stacking == BarStacking::Percent;
    const double thickness = g.slot() * barShare;
    for (int c = 0; c < values.categoryCount(); ++c) {
        const double across = g.slotStart(c) + g.slot() * (1 - barShare) / 2;
        double up = 0, down = 0; // where the next positive and negative segment start
        for (int s = 0; s < values.seriesCount(); ++s) {
            const std::optional<double> v = values.at(s, c);
            if (!v || *v == 0)
                continue;
            const double size = percent ? percentShare(values, s, c) : std::abs(*v);
            double &edge = (*v >= 0 || percent) ? up : down;
            const double from = edge;
            edge += (*v >= 0 || percent) ? size : -size;
            const QRectF r = barRect(g, from, edge, across, thickness);
            addBar(r, chartColour(chart, s), items);
            if (chart.valueLabels)
                labels.placeInside(*v, r);
        }
    }
}

void drawLine(const ChartDefinition &chart, const ChartValues &values, const AxisGeometry &g, int s,
              LabelPlacer &labels, std::vector<PageItem> &items)
{
    PathItem line;
    line.strokeWidth = lineWidth;
    line.strokeColor = chartColour(chart, s);
    std::vector<QPointF> points;
    bool gap = true;
    for (int c = 0; c < values.categoryCount(); ++c) {
        const std::optional<double> v = values.at(s, c);
        if (!v) {
            gap = true;
            continue;
        }
        const QPointF p(g.categoryCentre(c), g.valuePosition(*v));
        gap ? line.moveTo(p) : line.lineTo(p);
        gap = false;
        points.push_back(p);
        if (chart.valueLabels)
            labels.place(*v, p, false, false);
    }
    if (!line.isEmpty())
        items.emplace_back(std::move(line));
    if (!chart.markers)
        return;
    // One circle, moved to each point: its curves are worked out once.
    PathItem circle;
    circle.addArc(QPointF(0, 0), markerRadius, 0, 360, false);
    circle.close();
    circle.filled = true;
    circle.fillColor = chartColour(chart, s);
    circle.strokeWidth = 10;
    circle.strokeColor = qRgb(255, 255, 255);
    for (const QPointF &p : points) {
        PathItem marker = circle;
        marker.translate(p);
        items.emplace_back(std::move(marker));
    }
}

/// An area runs from the axis up to the series' points; a missing value
/// brings it down to the axis.
void drawArea(const ChartDefinition &chart, const ChartValues &values, const AxisGeometry &g, int s,
              LabelPlacer &labels, std::vector<PageItem> &items)
{
    PathItem area;
    area.filled = true;
    area.fillColor = chartColour(chart, s);
    area.strokeWidth = 15;
    area.strokeColor = qRgb(0x40, 0x40, 0x40);
    const double base = g.valuePosition(std::clamp(0.0, g.scale.low, g.scale.high));
    int run = 0;
    double runEnd = 0;
    const auto finish = [&] {
        if (run > 0) {
            area.lineTo({runEnd, base});
            area.close();
        }
        run = 0;
    };
    for (int c = 0; c < values.categoryCount(); ++c) {
        const std::optional<double> v = values.at(s, c);
        if (!v) {
            finish();
            continue;
        }
        const QPointF p(g.categoryCentre(c), g.valuePosition(*v));
        if (run == 0)
            area.moveTo({p.x(), base});
        area.lineTo(p);
        runEnd = p.x();
        ++run;
        if (chart.valueLabels)
            labels.place(*v, p, false, false);
    }
    finish();
    if (!area.isEmpty())
        items.emplace_back(std::move(area));
}

} // namespace

double percentShare(const ChartValues &values, int series, int category)
{
    double total = 0;
    for (int s = 0; s < values.seriesCount(); ++s)
        total += std::abs(values.at(s, category).value_or(0));
    const std::optional<double> v = values.at(series, category);
    return total > 0 && v ? 100.0 * std::abs(*v) / total : 0.0;
}

void drawSeries(const ChartDefinition &chart, const ChartValues &values, const AxisGeometry &geometry,
                ChartTextMetrics &metrics, std::vector<PageItem> &items)
{
    LabelPlacer labels(chart, metrics, items);
    switch (chart.type) {
    case ChartType::Bar:
        if (chart.stacking == BarStacking::Clustered)
            drawClusteredBars(chart, values, geometry, labels, items);
        else
            drawStackedBars(chart, values, geometry, labels, items);
        break;
    case ChartType::Line:
        for (int s = 0; s < values.seriesCount(); ++s)
            drawLine(chart, values, geometry, s, labels, items);
        break;
    case ChartType::Area:
        for (int s = 0; s < values.seriesCount(); ++s)
            drawArea(chart, values, geometry, s, labels, items);
        break;
    case ChartType::Pie:
    case ChartType::Doughnut:
        break;
    }
    labels.flush();
}

} // namespace velmora
