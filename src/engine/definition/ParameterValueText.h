#pragma once

#include "engine/core/Value.h"

#include <QString>

#include <optional>

namespace velmora {

/// A parameter's default value as a report file writes it: true/false,
/// 42, 3.5, 1234.5678, 2025-01-31, 13:45:00, 2025-01-31T13:45:00, or the
/// text itself. `parseParameterValue` gives nothing for text that is not a
/// value of `type`.
std::optional<Value> parseParameterValue(ValueType type, const QString &text);
QString parameterValueText(const Value &value);

} // namespace velmora
