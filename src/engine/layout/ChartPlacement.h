#pragma once

#include "engine/layout/Band.h"
#include "engine/layout/RecordContext.h"
#include "engine/layout/TextMeasurer.h"

namespace velmora {

/// Draws a chart object of a section of group `sectionLevel` (-1 for the
/// report header or footer) into `band`, from the numbers of the records
/// in its scope.
void placeChart(const ReportObject &object, const ObjectPlan &plan, int sectionLevel, RecordContext &context,
                TextMeasurer &measurer, Band &band);

} // namespace velmora
