#include "engine/layout/WeightedMean.h"

#include "engine/layout/ExactUnits.h"

namespace velmora {

void WeightedMean::add(const Value &value, const Value &weight)
{
    if (!value.isNumeric() || !weight.isNumeric())
        return;
    m_any = true;
    m_anyCurrency = m_anyCurrency || value.type() == ValueType::Currency;
    m_inexactWeightSum += weight.toDouble();
    m_inexactWeightedSum += (long double)weight.toDouble() * value.toDouble();
    if (!m_exact)
        return;
    // Both in ten-thousandths: the weight's scale cancels in the division,
    // leaving the value's.
    const auto x = exactUnits(value);
    const auto w = exactUnits(weight);
    __int128 product;
    if (!x || !w || __builtin_mul_overflow(__int128(*x), __int128(*w), &product)
        || __builtin_add_overflow(m_weightedSum, product, &m_weightedSum)
        || __builtin_add_overflow(m_weightSum, __int128(*w), &m_weightSum))
        m_exact = false;
}

Value WeightedMean::result() const
{
    if (!m_any)
        return Value();
    if (m_exact) {
        if (m_weightSum == 0)
            return Value();
        return valueFromUnits((long double)m_weightedSum / (long double)m_weightSum, m_anyCurrency);
    }
    if (m_inexactWeightSum == 0)
        return Value();
    return Value::number(double(m_inexactWeightedSum / m_inexactWeightSum));
}

} // namespace velmora
