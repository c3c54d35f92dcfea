#pragma once

#include "engine/layout/PreparedRecords.h"
#include "engine/layout/ReportPlan.h"

namespace velmora {

/// The report's records after one group level has been ranked: their new
/// order and, for each group level, an identity per position that changes
/// exactly where a group of that level begins, with whether the position
/// lies in a group that gathers the rest.
struct RankedOrder {
    std::vector<quint32> order;
    std::vector<std::vector<quint32>> groupIds;  ///< [level][position]
    std::vector<std::vector<bool>> gathered;     ///< [level][position]
};

/// Orders the groups of `level` within each of their outer groups by the
/// ranking summary (stable, so tied groups keep the order of their values;
/// Null ranks lowest), keeps the first N (and those tied with the N-th when
/// asked), and gathers the rest into one group printed last, or leaves them
/// out. The summaries of `prepared` must be those of its current order.
RankedOrder rankGroups(const RankingPlan &ranking, int level, const PreparedRecords &prepared);

} // namespace velmora
