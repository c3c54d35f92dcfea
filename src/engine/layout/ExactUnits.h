#pragma once

#include "engine/core/Value.h"

#include <optional>

namespace velmora {

/// An Integer or Currency value in ten-thousandths, so that both add up
/// exactly; nullopt for a Number, a non-number or an Integer too large.
std::optional<qint64> exactUnits(const Value &value);

/// Ten-thousandths, rounded half away from zero, as Currency; or, when
/// `asCurrency` is false, as a Number.
Value valueFromUnits(long double units, bool asCurrency);

} // namespace velmora
