#pragma once

#include "engine/chart/ChartTextMetrics.h"
#include "engine/chart/ChartValues.h"
#include "engine/chart/ValueScale.h"
#include "engine/definition/ChartDefinition.h"

#include <vector>

namespace velmora {

/// Where values and categories fall on a chart with axes: the plot's
/// rectangle, the value scale along one side and the categories in equal
/// slots along the other.
struct AxisGeometry {
    QRect plot;
    ValueScale scale;
    bool horizontal = false; ///< values run left to right, categories top to bottom
    int categoryCount = 1;

    /// The page coordinate of `value` along the value axis (y when
    /// vertical, x when horizontal), clamped to the plot.
    double valuePosition(double value) const;
    /// The length of one category's slot.
    double slot() const;
    /// The page coordinate where category `index`'s slot starts.
    double slotStart(int index) const;
    double categoryCentre(int index) const { return slotStart(index) + slot() / 2; }
};

/// The lowest and highest value the axis must show, with stacking and
/// 100 % stacking worked out.
std::pair<double, double> valueRange(const ChartDefinition &chart, const ChartValues &values);

/// Bars, lines and areas with their axes, gridlines and labels, drawn in
/// `room` (what the frame left). Returns the geometry used, for the tests.
AxisGeometry drawAxisChart(const ChartDefinition &chart, const ChartValues &values, const QRect &room,
                           ChartTextMetrics &metrics, std::vector<PageItem> &items);

} // namespace velmora
