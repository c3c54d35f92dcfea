#pragma once

#include "engine/chart/ChartValues.h"
#include "engine/layout/RecordContext.h"

namespace velmora {

/// The records a chart in a section draws from: those of the group the
/// section belongs to (its header or footer), or all of them.
struct ChartScope {
    qint64 begin = 0;
    qint64 end = 0;
};

/// What a chart draws of a value: a finite number, none for anything else.
std::optional<double> chartNumber(const Value &value);

/// The scope of a section of group `level` (-1: the report) while the
/// context stands on one of its records.
ChartScope chartScope(const PreparedRecords &prepared, int level, qint64 position);

/// Gathers a chart's numbers from the prepared report: group summaries
/// (the same numbers the report prints, after group selection and ranking),
/// or the records' x and y. Leaves the context on the record it stood on.
ChartValues gatherChartValues(const ChartDefinition &chart, const ChartPlan &plan, RecordContext &context,
                              const PreparedRecords &prepared, ChartScope scope);

/// A Records chart's points once the bound is applied: every k-th of the
/// ordered points, the first and the last always among them. Returns the
/// indexes kept, in order.
std::vector<int> boundedPoints(int count, int maximum);

} // namespace velmora
