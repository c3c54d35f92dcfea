#pragma once

#include "engine/layout/ChartGathering.h"

namespace velmora {

/// One x of a chart of records, with the sum of each series' y over the
/// records that have it (none where no record gave the series a number).
struct ChartRecordPoint {
    Value x;
    std::vector<std::optional<double>> sums;
};

/// One pass over the scope's records: a point per distinct x that is not
/// Null, in the order of x (points whose x sort alike keep the order they
/// were met in). When the x is fixed by one source table's row (a field of
/// the order, a formula over such fields) it is worked out once per run of
/// records sharing that row, and plain fields are read straight from the
/// record set. Leaves the context on the record it stood on.
std::vector<ChartRecordPoint> gatherRecordPoints(const ChartPlan &plan, RecordContext &context, ChartScope scope);

} // namespace velmora
