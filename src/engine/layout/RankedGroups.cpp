#include "engine/layout/RankedGroups.h"

#include "engine/layout/SummaryRanking.h"

#include <algorithm>
#include <limits>

namespace velmora {

namespace {

constexpr quint32 gatheredId = std::numeric_limits<quint32>::max();

/// For each position, the index of its group at `level`.
std::vector<quint32> groupIndexByPosition(const GroupLevel &level, size_t positions)
{
    std::vector<quint32> index(positions);
    for (size_t g = 0; g < level.starts.size(); ++g) {
        const size_t end = g + 1 < level.starts.size() ? level.starts[g + 1] : positions;
        std::fill(index.begin() + level.starts[g], index.begin() + qsizetype(end), quint32(g));
    }
    return index;
}

class RankedOrderBuilder {
public:
    RankedOrderBuilder(int rankedLevel, const PreparedRecords &prepared)
        : m_rankedLevel(size_t(rankedLevel)), m_prepared(prepared)
    {
        const size_t n = prepared.order.size();
        for (const GroupLevel &level : prepared.levels)
            m_groupOf.push_back(groupIndexByPosition(level, n));
        m_out.groupIds.assign(prepared.levels.size(), {});
        m_out.gathered.assign(prepared.levels.size(), {});
        m_out.order.reserve(n);
        for (size_t l = 0; l < prepared.levels.size(); ++l) {
            m_out.groupIds[l].reserve(n);
            m_out.gathered[l].reserve(n);
        }
    }

    /// Appends the records of group `group` of the ranked level.
    void append(quint32 group, bool gathered)
    {
        const GroupLevel &level = m_prepared.levels[m_rankedLevel];
        const qint64 end = level.endOf(int(group), m_prepared.size());
        for (qint64 p = level.starts[group]; p < end; ++p) {
            m_out.order.push_back(m_prepared.order[size_t(p)]);
            for (size_t l = 0; l < m_groupOf.size(); ++l) {
                const quint32 g = m_groupOf[l][size_t(p)];
                const bool ranked = l == m_rankedLevel;
                m_out.groupIds[l].push_back(ranked && gathered ? gatheredId : g);
                m_out.gathered[l].push_back(ranked ? gathered : wasGathered(l, g));
            }
        }
    }

    RankedOrder take() { return std::move(m_out); }

private:
    bool wasGathered(size_t l, quint32 g) const
    {
        const auto &flags = m_prepared.levels[l].gathered;
        return g < flags.size() && flags[g];
    }

    size_t m_rankedLevel;
    const PreparedRecords &m_prepared;
    std::vector<std::vector<quint32>> m_groupOf;
    RankedOrder m_out;
};

/// The first and one-past-last group of `level` inside each group of the
/// level outside it (one range for the outermost level).
std::vector<std::pair<quint32, quint32>> rangesWithinOuterGroups(int level, const PreparedRecords &prepared)
{
    const GroupLevel &inner = prepared.levels[size_t(level)];
    const auto groups = quint32(inner.starts.size());
    if (level == 0)
        return {{0, groups}};
    std::vector<std::pair<quint32, quint32>> ranges;
    const GroupLevel &outer = prepared.levels[size_t(level - 1)];
    for (size_t o = 0; o < outer.starts.size(); ++o) {
        const auto first = quint32(inner.groupAt(outer.starts[o]));
        const quint32 last = o + 1 < outer.starts.size() ? quint32(inner.groupAt(outer.starts[o + 1])) : groups;
        ranges.emplace_back(first, last);
    }
    return ranges;
}

} // namespace

RankedOrder rankGroups(const RankingPlan &ranking, int level, const PreparedRecords &prepared)
{
    const std::vector<Value> &values = prepared.levels[size_t(level)].summaries[size_t(ranking.summary)];
    RankedOrderBuilder builder(level, prepared);
    const RankingRule rule{ranking.direction, ranking.keep, ranking.keepTies};
    for (const auto &[first, last] : rangesWithinOuterGroups(level, prepared)) {
        const std::vector<Value> inside(values.begin() + first, values.begin() + last);
        RankedIndices ranked = rankByValues(inside, rule);
        std::vector<quint32> &groups = ranked.order;
        for (quint32 &g : groups)
            g += first;
        const size_t kept = ranked.kept;
        for (size_t i = 0; i < kept; ++i)
            builder.append(groups[i], false);
        if (!ranking.gatherRest || kept == groups.size())
            continue;
        // The rest keep the order of their values inside the gathered group.
        std::sort(groups.begin() + qsizetype(kept), groups.end());
        for (size_t i = kept; i < groups.size(); ++i)
            builder.append(groups[i], true);
    }
    return builder.take();
}

} // namespace velmora
