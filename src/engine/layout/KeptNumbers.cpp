#include "engine/layout/KeptNumbers.h"

#include "engine/layout/ChartGathering.h"

#include <algorithm>
#include <limits>

namespace velmora {

void KeptNumbers::keep(std::vector<Operand> operands, qint64 positionCount)
{
    m_operands = std::move(operands);
    m_columns.assign(m_operands.size(),
                     std::vector<double>(size_t(positionCount), std::numeric_limits<double>::quiet_NaN()));
}

void KeptNumbers::set(size_t which, qint64 position, const Value &value)
{
    m_columns[which][size_t(position)] = chartNumber(value).value_or(std::numeric_limits<double>::quiet_NaN());
}

void KeptNumbers::reorder(const std::vector<quint32> &from)
{
    for (std::vector<double> &column : m_columns) {
        std::vector<double> moved(from.size());
        for (size_t p = 0; p < from.size(); ++p)
            moved[p] = column[from[p]];
        column = std::move(moved);
    }
}

const std::vector<double> *KeptNumbers::column(const Operand &operand) const
{
    const auto found = std::find(m_operands.begin(), m_operands.end(), operand);
    return found == m_operands.end() ? nullptr : &m_columns[size_t(found - m_operands.begin())];
}

} // namespace velmora
