#pragma once

#include "engine/core/Value.h"
#include "engine/layout/Operand.h"

#include <vector>

namespace velmora {

/// The numbers of some operands, one per position of the report's order,
/// kept while the summaries are worked out for the charts of records that
/// draw the same operands: a chart then reads them in order instead of
/// working each formula out again. A record that gave no finite number
/// keeps NaN.
class KeptNumbers {
public:
    /// Makes room for `operands` over `positionCount` positions (forgets
    /// what was kept before).
    void keep(std::vector<Operand> operands, qint64 positionCount);
    /// Keeps `value` as the number of the `which`-th operand at `position`.
    void set(size_t which, qint64 position, const Value &value);
    /// Follows the records to a new order: position p now holds what
    /// position `from[p]` held.
    void reorder(const std::vector<quint32> &from);

    bool empty() const { return m_operands.empty(); }
    /// The column of `operand`, by position; none when it is not kept.
    const std::vector<double> *column(const Operand &operand) const;

private:
    std::vector<Operand> m_operands;
    std::vector<std::vector<double>> m_columns;
};

} // namespace velmora
