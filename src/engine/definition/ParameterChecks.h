#pragma once

#include "engine/core/ParameterValue.h"
#include "engine/definition/ReportDefinition.h"

#include <span>

namespace velmora {

/// Why `value` is not among `choices` when `parameter` takes only the values
/// of its list; empty when it is, or when the list is open or empty. Every
/// discrete value and every closed end of a range must be a choice.
QString outsideChoices(const ParameterDefinition &parameter, std::span<const PickValue> choices,
                       const ParameterValue &value);

/// Why a mandatory parameter cannot run with `value`; empty when it can.
QString missingValue(const ParameterDefinition &parameter, const ParameterValue &value);

} // namespace velmora
