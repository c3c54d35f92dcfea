#include "engine/layout/NumericColumn.h"

#include "engine/layout/ExactUnits.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

/// The values at rank `low` and, when `fraction` is not zero, the next one,
/// blended; the column is partly reordered.
template<typename T>
long double interpolate(std::vector<T> &values, size_t low, long double fraction)
{
    std::nth_element(values.begin(), values.begin() + qsizetype(low), values.end());
    const long double a = values[low];
    if (fraction == 0 || low + 1 >= values.size())
        return a;
    const long double b = *std::min_element(values.begin() + qsizetype(low) + 1, values.end());
    return a + fraction * (b - a);
}

} // namespace

void NumericColumn::add(const Value &value)
{
    if (!value.isNumeric())
        return;
    m_anyCurrency = m_anyCurrency || value.type() == ValueType::Currency;
    if (m_exact) {
        if (const auto units = exactUnits(value)) {
            m_units.push_back(*units);
            return;
        }
        becomeInexact();
    }
    m_numbers.push_back(value.toDouble());
}

void NumericColumn::becomeInexact()
{
    m_exact = false;
    m_numbers.reserve(m_units.size() + 1);
    for (qint64 u : m_units)
        m_numbers.push_back(double(u) / double(Currency::scale));
    std::vector<qint64>().swap(m_units);
}

Value NumericColumn::percentile(double p) const
{
    const size_t n = m_exact ? m_units.size() : m_numbers.size();
    if (n == 0)
        return Value();
    const long double rank = (long double)(n - 1) * p / 100;
    const size_t low = size_t(std::floor(rank));
    const long double fraction = rank - low;
    if (!m_exact)
        return Value::number(double(interpolate(m_numbers, low, fraction)));
    return valueFromUnits(interpolate(m_units, low, fraction), m_anyCurrency);
}

} // namespace velmora
