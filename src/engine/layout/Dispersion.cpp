#include "engine/layout/Dispersion.h"

#include "engine/layout/ExactUnits.h"

#include <cmath>

namespace velmora {

void Dispersion::add(const Value &value)
{
    if (!value.isNumeric())
        return;
    ++m_count;
    addInexact(value.toDouble());
    if (!m_exact)
        return;
    const auto units = exactUnits(value);
    __int128 square;
    if (!units || __builtin_mul_overflow(__int128(*units), __int128(*units), &square)
        || __builtin_add_overflow(m_sumOfSquares, square, &m_sumOfSquares)
        || __builtin_add_overflow(m_sum, __int128(*units), &m_sum))
        m_exact = false;
}

void Dispersion::addInexact(double x)
{
    const double delta = x - m_mean;
    m_mean += delta / double(m_count);
    m_squaredDistance += delta * (x - m_mean);
}

Value Dispersion::variance(bool sample) const
{
    const qint64 divisor = sample ? m_count - 1 : m_count;
    if (divisor <= 0)
        return Value();
    if (m_exact) {
        // n·Σx² − (Σx)² is n² times the population variance, exactly.
        __int128 scaled, squaredSum, numerator;
        if (!__builtin_mul_overflow(__int128(m_count), m_sumOfSquares, &scaled)
            && !__builtin_mul_overflow(m_sum, m_sum, &squaredSum)
            && !__builtin_sub_overflow(scaled, squaredSum, &numerator)) {
            const long double unitsSquared = (long double)numerator / ((long double)m_count * divisor);
            return Value::number(double(unitsSquared / ((long double)Currency::scale * Currency::scale)));
        }
    }
    return Value::number(m_squaredDistance / double(divisor));
}

Value Dispersion::deviation(bool sample) const
{
    const Value v = variance(sample);
    return v.isNull() ? v : Value::number(std::sqrt(std::max(0.0, v.toDouble())));
}

} // namespace velmora
