#pragma once

#include "engine/core/Value.h"

#include <QString>

#include <map>
#include <vector>

namespace velmora {

/// A run of values between two bounds. A Null bound leaves that end open.
struct ValueRange {
    Value low;
    Value high;
    bool lowIncluded = true;
    bool highIncluded = true;
    bool operator==(const ValueRange &) const = default;
};

/// What one parameter holds for a run of the report: any number of
/// discrete values and of ranges. Holding nothing is a value of its own (an
/// optional parameter left empty), which formulas read as Null.
struct ParameterValue {
    std::vector<Value> values;
    std::vector<ValueRange> ranges;

    ParameterValue() = default;
    /// One value; a Null value makes an empty parameter value.
    ParameterValue(Value single);

    bool isEmpty() const { return values.empty() && ranges.empty(); }
    /// Exactly one discrete value and no range.
    bool isSingle() const { return values.size() == 1 && ranges.empty(); }
    /// The first discrete value, Null when there is none.
    Value first() const { return values.empty() ? Value() : values.front(); }
    bool operator==(const ParameterValue &) const = default;
};

/// The values of a run's parameters by name; a parameter not named takes its default.
using ParameterValues = std::map<QString, ParameterValue>;

} // namespace velmora
