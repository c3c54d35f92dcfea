#include "engine/chart/PieChart.h"

#include "engine/chart/ChartLabels.h"
#include "engine/chart/ChartNumbers.h"
#include "engine/chart/ChartPalette.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

/// A doughnut's hole, as a part of its radius.
constexpr double holeShare = 0.5;

PathItem wedgePath(const PieWedge &wedge, QPointF centre, double radius, bool doughnut)
{
    PathItem path;
    if (doughnut) {
        path.addArc(centre, radius, wedge.startDegrees, wedge.spanDegrees, false);
        path.addArc(centre, radius * holeShare, wedge.startDegrees + wedge.spanDegrees, -wedge.spanDegrees, true);
    } else if (std::abs(wedge.spanDegrees) >= 360 - 1e-9) {
        path.addArc(centre, radius, wedge.startDegrees, wedge.spanDegrees, false); // one wedge: the whole disc
    } else {
        path.moveTo(centre);
        path.addArc(centre, radius, wedge.startDegrees, wedge.spanDegrees, true);
    }
    path.close();
    return path;
}

} // namespace

std::vector<PieWedge> pieWedges(const std::vector<std::optional<double>> &values)
{
    double total = 0;
    for (const std::optional<double> &v : values)
        if (v && *v > 0 && std::isfinite(*v))
            total += *v;
    std::vector<PieWedge> wedges;
    if (!(total > 0) || !std::isfinite(total))
        return wedges;
    double turned = 0; // the running sum keeps the last wedge ending exactly at the start
    for (size_t i = 0; i < values.size(); ++i) {
        const std::optional<double> &v = values[i];
        if (!v || !(*v > 0) || !std::isfinite(*v))
            continue;
        const double next = turned + *v;
        wedges.push_back({int(i), 90.0 - 360.0 * turned / total, -360.0 * *v / total});
        turned = next;
    }
    return wedges;
}

void drawPieChart(const ChartDefinition &chart, const ChartValues &values, const QRect &room,
                  ChartTextMetrics &metrics, std::vector<PageItem> &items)
{
    if (values.seriesCount() == 0 || room.width() <= 0 || room.height() <= 0)
        return;
    const double radius = std::min(room.width(), room.height()) / 2.0;
    const QPointF centre = QRectF(room).center();
    const bool doughnut = chart.type == ChartType::Doughnut;
    const std::vector<PieWedge> wedges = pieWedges(values.values.front());
    for (const PieWedge &wedge : wedges) {
        PathItem path = wedgePath(wedge, centre, radius, doughnut);
        path.filled = true;
        path.fillColor = chartColour(chart, wedge.category);
        path.strokeWidth = 15;
        path.strokeColor = qRgb(255, 255, 255); // white seams part the wedges in grey too
        items.emplace_back(std::move(path));
    }
    if (!chart.valueLabels)
        return;
    const double labelRadius = doughnut ? radius * (1 + holeShare) / 2 : radius * 0.62;
    const Twips line = metrics.lineHeight(chart.font);
    for (const PieWedge &wedge : wedges) {
        const QString text = chartValueText(chart, *values.at(0, wedge.category));
        // A label wider than its wedge's chord there would spill onto the neighbours.
        const double chord = 2 * labelRadius * std::sin(std::min(180.0, std::abs(wedge.spanDegrees)) * M_PI / 360);
        if (chord < std::max<double>(metrics.width(chart.font, text), line))
            continue;
        const QPointF at = pointOnCircle(centre, labelRadius, wedge.startDegrees + wedge.spanDegrees / 2);
        TextItem label = centredText(metrics, at.x(), Twips(std::lround(at.y() - line / 2.0)), text, chart.font,
                                     chart.textColor, room.left(), room.right() + 1);
        // Dark wedges take white labels.
        if (greyLevel(chartColour(chart, wedge.category)) < 110)
            label.color = qRgb(255, 255, 255);
        items.emplace_back(std::move(label));
    }
}

} // namespace velmora
