#pragma once

#include "engine/data/JoinKey.h"

#include <unordered_map>
#include <vector>

namespace velmora {

/// A hash index over the join keys of one table: each key hash leads to a
/// chain of rows in ascending order, so matches come out in table order.
class JoinIndex {
public:
    JoinIndex(const JoinKey &key, int rowCount);

    /// Calls `match(row)` for every indexed row whose key equals the key of
    /// `probeRow` under `probe`, in ascending row order.
    template<typename Match>
    void forEachMatch(const JoinKey &probe, int probeRow, Match &&match) const
    {
        const std::optional<quint64> hash = probe.hash(probeRow);
        if (!hash)
            return;
        const auto head = m_heads.find(*hash);
        if (head == m_heads.end())
            return;
        for (quint32 row = head->second; row != endOfChain; row = m_next[row])
            if (m_key.equals(int(row), probe, probeRow))
                match(row);
    }

private:
    static constexpr quint32 endOfChain = 0xFFFFFFFFu;
    const JoinKey &m_key;
    std::unordered_map<quint64, quint32> m_heads;
    std::vector<quint32> m_next;
};

} // namespace velmora
