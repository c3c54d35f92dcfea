#pragma once

#include "engine/definition/ChartDefinition.h"

#include <QString>

namespace velmora {

/// A chart's value as its labels and tables print it: in the chart's value
/// format when it has one (the formats fields take), else with two
/// decimals when it has a fraction and none when it is whole.
QString chartValueText(const ChartDefinition &chart, double value);
/// The same for a chart whose value format is `valueFormat`.
QString chartValueText(const QString &valueFormat, double value);

/// A value axis tick: the chart's format when it has one, else with the
/// decimals the step needs; `percent` adds " %".
QString chartTickText(const ChartDefinition &chart, double value, int decimals, bool percent);

} // namespace velmora
