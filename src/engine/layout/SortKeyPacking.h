#pragma once

#include "engine/layout/ReportPlan.h"

#include <optional>
#include <vector>

namespace velmora {

/// The ranks of several sort keys packed into one 64-bit number per record,
/// the first key in the highest bits, so that comparing the numbers
/// compares the keys in turn. A descending key is stored as its largest
/// rank minus the rank. Only when every key's largest rank fits the bits
/// left over; otherwise the keys are compared one by one.
class SortKeyPacking {
public:
    /// ranks[k][i] is key k's rank for record i.
    static std::optional<SortKeyPacking> fit(const std::vector<SortKeyPlan> &keys,
                                             const std::vector<std::vector<quint32>> &ranks);
    quint64 packed(const std::vector<std::vector<quint32>> &ranks, size_t record) const;

private:
    struct Field {
        size_t key = 0;
        int shift = 0;
        quint32 largest = 0;
        bool descending = false;
    };
    std::vector<Field> m_fields;
};

} // namespace velmora
