#include "engine/layout/ValueRanks.h"

#include <algorithm>
#include <vector>

namespace velmora {

void ExtremeValues::add(const Value &value)
{
    m_best.insert(value);
    if (m_best.size() > m_n)
        m_best.erase(m_largest ? m_best.begin() : std::prev(m_best.end()));
}

Value ExtremeValues::result() const
{
    if (m_best.size() < m_n || m_best.empty())
        return Value();
    return m_largest ? *m_best.begin() : *std::prev(m_best.end());
}

Value ValueFrequencies::nthMostFrequent(int n) const
{
    if (n < 1 || size_t(n) > m_counts.size())
        return Value();
    std::vector<std::pair<const Value *, qint64>> entries;
    entries.reserve(m_counts.size());
    for (const auto &[value, count] : m_counts)
        entries.emplace_back(&value, count);
    const auto moreFrequent = [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second > b.second : collateValues(*a.first, *b.first) < 0;
    };
    std::nth_element(entries.begin(), entries.begin() + (n - 1), entries.end(), moreFrequent);
    return *entries[size_t(n - 1)].first;
}

} // namespace velmora
