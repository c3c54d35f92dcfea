#pragma once

#include "engine/formula/FormulaReference.h"
#include "engine/formula/SummaryFunction.h"

#include <optional>

namespace velmora {

/// One summary a formula reads, as written: `PercentOfSum({T.F}, {T.G}, {T.P})`
/// is the Sum of {T.F} per {T.G} as a percentage of the same Sum per {T.P}.
struct SummaryRequest {
    SummaryFunction function = SummaryFunction::Sum;
    FormulaReference operand;
    std::optional<FormulaReference> group; ///< none: the whole report
    double argument = 0;                   ///< N or P, for the functions that take one
    std::optional<FormulaReference> weight;
    bool percent = false;
    std::optional<FormulaReference> percentOfGroup; ///< for a percentage; none: of the whole report
};

/// What a formula asks of the report once, before it is evaluated: a slot
/// number for each name it reads, so that evaluation never looks a name up.
/// A result of -1 means "no such name" and makes Formula::bind fail.
class FormulaBinder {
public:
    virtual ~FormulaBinder() = default;
    virtual int resolve(const FormulaReference &ref) = 0;
    virtual int resolveSummary(SummaryFunction fn, const FormulaReference &operand,
                               const std::optional<FormulaReference> &group) = 0;
    /// Any summary; by default only the plain ones, through the call above.
    virtual int resolveSummary(const SummaryRequest &request)
    {
        if (request.percent || request.weight || summaryFunctionTakesArgument(request.function))
            return -1;
        return resolveSummary(request.function, request.operand, request.group);
    }
};

} // namespace velmora
