#pragma once

#include "engine/core/Value.h"

namespace velmora {

/// The `&` operator: both sides as text in their default format, Null as
/// the empty string. Fails when the result would pass the text limit.
Value concatenateValues(const Value &a, const Value &b);

/// Raises a StringTooLong fault when a text of this length may not be made.
void requireTextLength(qint64 length);

} // namespace velmora
