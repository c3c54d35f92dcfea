#pragma once

// The words a report file uses for a chart's settings, shared by the reader
// and the writer.

#include "engine/definition/DefinitionNames.h"

namespace velmora {

std::span<const EnumName<ChartType>> chartTypeNames();
std::span<const EnumName<BarDirection>> barDirectionNames();
std::span<const EnumName<BarStacking>> barStackingNames();
std::span<const EnumName<LegendPlace>> legendPlaceNames();
std::span<const EnumName<ChartData>> chartDataNames();

} // namespace velmora
