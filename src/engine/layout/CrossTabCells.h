#pragma once

#include "engine/layout/CrossTabPlan.h"
#include "engine/layout/SummaryAccumulator.h"

#include <deque>
#include <unordered_map>

namespace velmora {

/// The summaries of a cross-tab for each pair of a row node and a column
/// node (either may be a group or the root, for subtotals and totals).
/// Only pairs that some record reaches hold anything: memory grows with
/// the cells, not with the records.
class CrossTabCells {
public:
    explicit CrossTabCells(const std::vector<CrossTabPlan::Summary> &summaries);

    /// Adds one record's summary values (and weights) to the pair.
    void add(int rowNode, int columnNode, const std::vector<Value> &values, const std::vector<Value> &weights);
    /// Works out every summary and lets the accumulators go.
    void finish();
    /// After finish(): summary `summary` of the pair; for a pair no record
    /// reached, what the operation gives over nothing (Null, or 0 for counts).
    Value result(int rowNode, int columnNode, int summary) const;
    qint64 cellCount() const { return qint64(m_slots.size()); }

private:
    static quint64 pairKey(int rowNode, int columnNode) { return (quint64(quint32(rowNode)) << 32) | quint32(columnNode); }

    const std::vector<CrossTabPlan::Summary> &m_summaries;
    std::unordered_map<quint64, quint32> m_slots; ///< pair -> first of its summaries
    std::deque<SummaryAccumulator> m_accumulators;
    std::vector<Value> m_results;
    std::vector<Value> m_empty;
};

} // namespace velmora
