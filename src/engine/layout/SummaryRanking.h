#pragma once

#include "engine/core/Value.h"
#include "engine/definition/ReportDefinition.h"

#include <optional>
#include <vector>

namespace velmora {

/// How a set of lines (groups, cross-tab rows or columns) is ranked by one
/// summary each: the order, and how many of the first are kept.
struct RankingRule {
    SortDirection direction = SortDirection::Descending;
    std::optional<qint64> keep; ///< none: all
    bool keepTies = false;      ///< also keep those tied with the N-th
};

struct RankedIndices {
    std::vector<quint32> order; ///< indices into the values, best first
    size_t kept = 0;            ///< the first `kept` of `order` are kept
};

/// Orders indices 0..values.size()-1 by their values (stable, so tied
/// lines keep the order they came in; Null ranks lowest) and counts how
/// many the rule keeps.
RankedIndices rankByValues(const std::vector<Value> &values, const RankingRule &rule);

} // namespace velmora
