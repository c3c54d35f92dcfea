#pragma once

#include "engine/core/ParameterValue.h"
#include "engine/definition/ReportDefinition.h"

#include <vector>

namespace velmora {

/// One question of the parameter prompt: the parameter, the choices its
/// pick list offers now (the report's own and the database field's), and
/// the value the prompt shows; the prompt writes the answer back into it.
struct PromptRow {
    ParameterDefinition parameter;
    std::vector<PickValue> choices;
    ParameterValue value;
};

/// Values the user gave parameters in this run of the program, by name and
/// type, so that the prompt of a report opened again, or of another report
/// asking the same thing, starts from the last answer.
class RememberedAnswers {
public:
    static std::optional<ParameterValue> find(const ParameterDefinition &parameter);
    static void keep(const ParameterDefinition &parameter, const ParameterValue &value);
};

} // namespace velmora
