#pragma once

#include "engine/core/Value.h"

namespace velmora {

/// Integer arithmetic wide enough that products of two Currency amounts
/// cannot overflow, for the exact paths of operators and rounding.
using Wide = __int128;

/// An Integer or Currency value as ten-thousandths.
inline Wide scaledUnits(const Value &v)
{
    return v.type() == ValueType::Currency ? Wide(v.asCurrency().units) : Wide(v.asInteger()) * Currency::scale;
}

/// numerator / denominator, the half rounded away from zero.
Wide divideRoundingHalfAway(Wide numerator, Wide denominator);

/// `units` rounded (or cut) to a multiple of 10^digits.
Wide roundToMultipleOfPowerOfTen(Wide units, int digits, bool truncate);

/// A wide count of ten-thousandths as Currency; an overflow fault when it does not fit.
Currency currencyFromWide(Wide units);

/// A wide whole number as Integer; an overflow fault when it does not fit.
qint64 integerFromWide(Wide value);

} // namespace velmora
