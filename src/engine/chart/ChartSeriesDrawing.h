#pragma once

#include "engine/chart/AxisChart.h"

namespace velmora {

/// A chart's bars, lines or areas (with their value labels) on the axes
/// `geometry` sets out.
void drawSeries(const ChartDefinition &chart, const ChartValues &values, const AxisGeometry &geometry,
                ChartTextMetrics &metrics, std::vector<PageItem> &items);

/// The share of one bar in its category for 100 % stacking: its size over
/// the sum of the sizes of the category's values, in percent.
double percentShare(const ChartValues &values, int series, int category);

} // namespace velmora
