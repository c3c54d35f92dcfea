#pragma once

#include "engine/chart/ChartTextMetrics.h"
#include "engine/definition/ChartDefinition.h"

#include <QStringList>

#include <vector>

namespace velmora {

/// The parts of a chart's rectangle every kind shares: the title on top,
/// the legend on its side, and what is left for the drawing itself.
class ChartFrame {
public:
    /// `legendEntries` are the series (or a pie's categories), coloured
    /// from the chart's palette in their order.
    ChartFrame(const ChartDefinition &chart, const QRect &rect, const QStringList &legendEntries,
               ChartTextMetrics &metrics);

    /// Where the drawing goes.
    QRect plotArea() const { return m_plot; }
    /// The title and the legend, in painting order.
    const std::vector<PageItem> &items() const { return m_items; }

private:
    void placeTitle(const ChartDefinition &chart, QRect &room);
    void placeLegend(const ChartDefinition &chart, const QStringList &entries, QRect &room);
    void legendEntry(const ChartDefinition &chart, int index, const QString &text, QPoint at, Twips textWidth);

    ChartTextMetrics &m_metrics;
    std::vector<PageItem> m_items;
    QRect m_plot;
};

/// Room kept inside the chart's rectangle.
constexpr Twips chartPadding = 80;
/// The side of a legend's colour square.
constexpr Twips legendSwatch = 110;

} // namespace velmora
