#pragma once

#include "engine/chart/ChartTextMetrics.h"
#include "engine/chart/ChartValues.h"
#include "engine/definition/ChartDefinition.h"

#include <vector>

namespace velmora {

/// One wedge of a pie: its category, and where it starts and how far it
/// turns, in degrees counter-clockwise from the right (a pie starts at the
/// top and runs clockwise, so spans are negative).
struct PieWedge {
    int category = 0;
    double startDegrees = 90;
    double spanDegrees = 0;
};

/// The wedges of the values of one series: only positive values have a
/// wedge (a share of a whole cannot be negative or nothing); the spans add
/// up to a full turn when any value is positive.
std::vector<PieWedge> pieWedges(const std::vector<std::optional<double>> &values);

/// A pie or doughnut of the first series in `room`.
void drawPieChart(const ChartDefinition &chart, const ChartValues &values, const QRect &room,
                  ChartTextMetrics &metrics, std::vector<PageItem> &items);

} // namespace velmora
