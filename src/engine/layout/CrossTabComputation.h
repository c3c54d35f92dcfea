#pragma once

#include "engine/layout/CrossTabGrid.h"
#include "engine/layout/RecordContext.h"

#include <memory>

namespace velmora {

/// Counts the records at positions [first, last) of the report's order into
/// the cross-tab, reading each record's values through the context. With a
/// Top N the records are read twice: once to rank, once to count.
std::unique_ptr<CrossTabGrid> computeCrossTab(const CrossTabPlan &plan, RecordContext &context, qint64 first,
                                              qint64 last);

} // namespace velmora
