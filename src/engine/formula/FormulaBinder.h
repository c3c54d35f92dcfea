#pragma once

#include "engine/formula/FormulaReference.h"
#include "engine/formula/SummaryFunction.h"

#include <optional>

namespace velmora {

/// What a formula asks of the report once, before it is evaluated: a slot
/// number for each name it reads, so that evaluation never looks a name up.
/// A result of -1 means "no such name" and makes Formula::bind fail.
class FormulaBinder {
public:
    virtual ~FormulaBinder() = default;
    virtual int resolve(const FormulaReference &ref) = 0;
    virtual int resolveSummary(SummaryFunction fn, const FormulaReference &operand,
                               const std::optional<FormulaReference> &group) = 0;
};

} // namespace velmora
