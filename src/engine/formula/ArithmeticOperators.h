#pragma once

#include "engine/core/Value.h"

namespace velmora {

/// The arithmetic of formulas on two non-Null operands. Integer work that
/// overflows becomes Number; Currency stays exact where both sides are
/// Integer or Currency, rounds to four places against a Number, and fails on
/// overflow; dates move by days. Raise an EvaluationFault on a type mismatch,
/// a division by zero or a result out of range.
Value addValues(const Value &a, const Value &b);
Value subtractValues(const Value &a, const Value &b);
Value multiplyValues(const Value &a, const Value &b);
Value divideValues(const Value &a, const Value &b);
Value integerDivideValues(const Value &a, const Value &b);
Value moduloValues(const Value &a, const Value &b);
Value powerValues(const Value &a, const Value &b);
Value negateValue(const Value &a);

/// A double result checked to be finite.
Value finiteNumber(double value);
/// A double turned into Currency, failing when out of Currency's range.
Currency currencyFromDouble(double value);
/// A moment checked to lie within years 1 to 9999.
DateTime checkedMoment(qint64 msecs);

} // namespace velmora
