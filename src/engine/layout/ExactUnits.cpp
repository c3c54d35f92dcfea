#include "engine/layout/ExactUnits.h"

#include <cmath>

namespace velmora {

std::optional<qint64> exactUnits(const Value &value)
{
    if (value.type() == ValueType::Currency)
        return value.asCurrency().units;
    if (value.type() != ValueType::Integer)
        return std::nullopt;
    qint64 units;
    if (__builtin_mul_overflow(value.asInteger(), Currency::scale, &units))
        return std::nullopt;
    return units;
}

Value valueFromUnits(long double units, bool asCurrency)
{
    if (asCurrency)
        return Value::currency(Currency{qint64(std::llroundl(units))});
    return Value::number(double(units / Currency::scale));
}

} // namespace velmora
