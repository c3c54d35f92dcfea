#pragma once

#include "engine/definition/ChartDefinition.h"

#include <vector>

namespace velmora {

/// The colours a chart gives its series (or a pie its wedges) when the
/// report names none. Neighbours differ in lightness as much as in hue, so
/// that a grey printout still tells them apart.
const std::vector<QRgb> &defaultChartPalette();

/// The colour of entry `index`: the series' own, else the report's
/// palette, else the default one, repeating when the entries outnumber it.
QRgb chartColour(const ChartDefinition &chart, int index);

/// The lightness a grey printer gives `colour`, 0 (black) to 255 (white).
int greyLevel(QRgb colour);

} // namespace velmora
