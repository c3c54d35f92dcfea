#include "engine/layout/SortKeyPacking.h"

#include <algorithm>
#include <bit>

namespace velmora {

std::optional<SortKeyPacking> SortKeyPacking::fit(const std::vector<SortKeyPlan> &keys,
                                                  const std::vector<std::vector<quint32>> &ranks)
{
    SortKeyPacking packing;
    int bitsLeft = 64;
    for (size_t k = 0; k < keys.size(); ++k) {
        const std::vector<quint32> &r = ranks[k];
        const quint32 largest = r.empty() ? 0 : *std::max_element(r.begin(), r.end());
        const int bits = std::bit_width(largest);
        if (bits > bitsLeft)
            return std::nullopt;
        if (bits == 0)
            continue; // every rank is 0: the key orders nothing
        bitsLeft -= bits;
        packing.m_fields.push_back({k, bitsLeft, largest, keys[k].direction == SortDirection::Descending});
    }
    return packing;
}

quint64 SortKeyPacking::packed(const std::vector<std::vector<quint32>> &ranks, size_t record) const
{
    quint64 key = 0;
    for (const Field &f : m_fields) {
        const quint32 rank = ranks[f.key][record];
        key |= quint64(f.descending ? f.largest - rank : rank) << f.shift;
    }
    return key;
}

} // namespace velmora
