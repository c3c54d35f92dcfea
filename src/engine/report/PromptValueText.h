#pragma once

#include "engine/core/Value.h"

#include <QString>

#include <optional>

namespace velmora {

/// Values as the parameter prompt shows them and reads them back, the
/// Catalan way: a decimal comma (a full stop between thousands is allowed
/// and ignored), dates dd/mm/aaaa, times hh:mm:ss (or hh:mm), date-times
/// as both with a space between. Currency stays exact.
QString promptText(const Value &value);
/// Nothing when `text` is not a value of `type` in that form.
std::optional<Value> readPromptText(ValueType type, const QString &text);
/// What a value of `type` must look like, after "cal": "un nombre enter",
/// "una data dd/mm/aaaa".
QString promptTextNeed(ValueType type);

} // namespace velmora
