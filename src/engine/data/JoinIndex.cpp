#include "engine/data/JoinIndex.h"

namespace velmora {

JoinIndex::JoinIndex(const JoinKey &key, int rowCount) : m_key(key), m_next(size_t(rowCount), endOfChain)
{
    m_heads.reserve(size_t(rowCount));
    // Inserting from the last row makes every chain ascend.
    for (int row = rowCount - 1; row >= 0; --row) {
        const std::optional<quint64> hash = key.hash(row);
        if (!hash)
            continue;
        auto [head, inserted] = m_heads.try_emplace(*hash, quint32(row));
        if (!inserted) {
            m_next[size_t(row)] = head->second;
            head->second = quint32(row);
        }
    }
}

} // namespace velmora
