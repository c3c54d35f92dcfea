#pragma once

#include "engine/core/Value.h"

#include <QStringView>

#include <initializer_list>

namespace velmora {

class FunctionArguments;

using FunctionBody = Value (*)(const FunctionArguments &);

/// One function of the formula language: its name as users write it (any
/// case), how many arguments it takes and what computes it. Unless
/// `passesNull` is false, a Null argument makes the result Null without the
/// body being called.
struct FunctionDefinition {
    QStringView name;
    int minArguments = 0;
    int maxArguments = 0; ///< -1: no upper bound
    FunctionBody body = nullptr;
    ValueType resultType = ValueType::Null; ///< Null when it depends on the arguments
    bool passesNull = true;
    /// When not 0, bit n set means n arguments are allowed (within min and max).
    quint32 allowedCounts = 0;
};

/// The allowedCounts mask for a list of argument counts.
constexpr quint32 argumentCounts(std::initializer_list<int> counts)
{
    quint32 mask = 0;
    for (int count : counts)
        mask |= quint32(1) << count;
    return mask;
}

} // namespace velmora
