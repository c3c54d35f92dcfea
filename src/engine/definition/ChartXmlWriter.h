#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/definition/XmlOutput.h"

namespace velmora {

/// Writes a chart's attributes as <chart> takes them, leaving out defaults
/// and what its kind does not take.
void writeChartAttributes(XmlOutput &out, const ChartDefinition &chart);
/// Writes a chart's <series> children.
void writeChartSeries(XmlOutput &out, const ChartDefinition &chart);

} // namespace velmora
