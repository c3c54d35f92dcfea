#pragma once

#include "engine/core/ParameterValue.h"
#include "engine/core/Value.h"
#include "engine/formula/PageAndPrintValues.h"

namespace velmora {

/// What a bound formula reads while it is evaluated for the current record:
/// the values of the slots its binder handed out (fields, formulas,
/// parameters, running totals, summaries) and the report's special values.
class EvaluationContext {
public:
    virtual ~EvaluationContext() = default;
    virtual Value slotValue(int slot) = 0;
    virtual Value specialValue(SpecialValue which) = 0;
    /// Every value a parameter slot holds, for `in` and the parameter
    /// summaries; nothing when the slot is not a parameter's.
    virtual const ParameterValue *parameterValue(int /*slot*/) { return nullptr; }
};

} // namespace velmora
