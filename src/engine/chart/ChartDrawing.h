#pragma once

#include "engine/chart/ChartTextMetrics.h"
#include "engine/chart/ChartValues.h"
#include "engine/definition/ChartDefinition.h"

#include <vector>

namespace velmora {

/// A chart as page items inside `rect`: first what it shows as a table
/// (ChartValuesItem), then the title, legend, axes, bars, lines or wedges
/// and their labels. Text is text, so every output can find and read it.
std::vector<PageItem> drawChart(const ChartDefinition &chart, const ChartValues &values, const QRect &rect,
                                ChartTextMetrics &metrics);

/// What `drawChart` puts in its ChartValuesItem.
ChartValuesItem chartValuesItem(const ChartDefinition &chart, const ChartValues &values, const QRect &rect);

/// What a chart with nothing to draw says in its middle.
QString noChartDataText();

} // namespace velmora
