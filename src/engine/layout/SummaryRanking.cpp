#include "engine/layout/SummaryRanking.h"

#include "engine/layout/ValueOrder.h"

#include <algorithm>
#include <numeric>

namespace velmora {

RankedIndices rankByValues(const std::vector<Value> &values, const RankingRule &rule)
{
    RankedIndices ranked;
    ranked.order.resize(values.size());
    std::iota(ranked.order.begin(), ranked.order.end(), quint32(0));
    const bool descending = rule.direction == SortDirection::Descending;
    std::stable_sort(ranked.order.begin(), ranked.order.end(), [&](quint32 a, quint32 b) {
        const int c = collateValues(values[a], values[b]);
        return descending ? c > 0 : c < 0;
    });
    const size_t n = ranked.order.size();
    size_t kept = rule.keep ? std::min(n, size_t(std::max<qint64>(0, *rule.keep))) : n;
    while (rule.keepTies && kept > 0 && kept < n
           && collateValues(values[ranked.order[kept]], values[ranked.order[kept - 1]]) == 0)
        ++kept;
    ranked.kept = kept;
    return ranked;
}

} // namespace velmora
