#include "engine/layout/CrossTabCells.h"

namespace velmora {

CrossTabCells::CrossTabCells(const std::vector<CrossTabPlan::Summary> &summaries) : m_summaries(summaries)
{
    for (const CrossTabPlan::Summary &s : summaries)
        m_empty.push_back(SummaryAccumulator(s.operation, s.argument).result());
}

void CrossTabCells::add(int rowNode, int columnNode, const std::vector<Value> &values, const std::vector<Value> &weights)
{
    const auto [it, added] = m_slots.try_emplace(pairKey(rowNode, columnNode), quint32(m_accumulators.size()));
    if (added)
        for (const CrossTabPlan::Summary &s : m_summaries)
            m_accumulators.emplace_back(s.operation, s.argument);
    for (size_t s = 0; s < m_summaries.size(); ++s)
        m_accumulators[it->second + s].add(values[s], weights[s]);
}

void CrossTabCells::finish()
{
    m_results.reserve(m_accumulators.size());
    for (const SummaryAccumulator &accumulator : m_accumulators)
        m_results.push_back(accumulator.result());
    std::deque<SummaryAccumulator>().swap(m_accumulators);
}

Value CrossTabCells::result(int rowNode, int columnNode, int summary) const
{
    const auto it = m_slots.find(pairKey(rowNode, columnNode));
    if (it == m_slots.end())
        return m_empty[size_t(summary)];
    return m_results[it->second + size_t(summary)];
}

} // namespace velmora
