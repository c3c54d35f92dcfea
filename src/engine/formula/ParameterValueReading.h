#pragma once

#include "engine/core/ParameterValue.h"

namespace velmora {

/// `subject in {?Parameter}`: whether the subject equals one of the values
/// or lies in one of the ranges. A Null subject, or an empty parameter,
/// gives Null. A value of another type raises a type mismatch.
Value parameterHolds(const ParameterValue &parameter, const Value &subject);

/// The smallest of the values and of the ranges' low ends; Null when a
/// range is open below, or when there is nothing. An excluded end still counts.
Value parameterMinimum(const ParameterValue &parameter);
/// The largest of the values and of the ranges' high ends, as above.
Value parameterMaximum(const ParameterValue &parameter);
/// How many values and ranges the parameter holds.
Value parameterCount(const ParameterValue &parameter);

/// A parameter read as one value: its value when it holds exactly one,
/// Null when it holds none, else its display text.
Value parameterAsValue(const ParameterValue &parameter);

/// The Catalan display of every value ("31/01/2025", "1.234,50") and
/// range ("de 01/01/2024 a 31/12/2024", "des de 5", "fins a 10"), joined by ", ".
QString parameterDisplayText(const ParameterValue &parameter);

} // namespace velmora
