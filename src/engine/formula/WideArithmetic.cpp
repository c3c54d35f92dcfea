#include "engine/formula/WideArithmetic.h"

#include "engine/formula/EvaluationFault.h"
#include "engine/formula/FormulaErrors.h"

#include <limits>

namespace velmora {

namespace {

bool fitsInt64(Wide value)
{
    return value <= Wide(std::numeric_limits<qint64>::max()) && value >= Wide(std::numeric_limits<qint64>::min());
}

} // namespace

Wide divideRoundingHalfAway(Wide numerator, Wide denominator)
{
    Wide quotient = numerator / denominator;
    const Wide remainder = numerator % denominator;
    const Wide twiceRemainder = (remainder < 0 ? -remainder : remainder) * 2;
    const Wide magnitude = denominator < 0 ? -denominator : denominator;
    if (twiceRemainder >= magnitude)
        quotient += ((numerator < 0) != (denominator < 0)) ? -1 : 1;
    return quotient;
}

Wide roundToMultipleOfPowerOfTen(Wide units, int digits, bool truncate)
{
    if (digits <= 0)
        return units;
    if (digits > 30)
        return 0;
    Wide factor = 1;
    for (int i = 0; i < digits; ++i)
        factor *= 10;
    return (truncate ? units / factor : divideRoundingHalfAway(units, factor)) * factor;
}

Currency currencyFromWide(Wide units)
{
    if (!fitsInt64(units))
        raiseFault(FormulaErrors::NumericOverflow, QStringLiteral("el resultat surt del rang dels imports (±922.337.203.685.477)"));
    return Currency{qint64(units)};
}

qint64 integerFromWide(Wide value)
{
    if (!fitsInt64(value))
        raiseFault(FormulaErrors::NumericOverflow, QStringLiteral("el resultat surt del rang dels enters"));
    return qint64(value);
}

} // namespace velmora
