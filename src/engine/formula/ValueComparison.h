#pragma once

#include "engine/core/Value.h"

namespace velmora {

/// Orders two non-Null values for the comparison operators, `in` and the
/// summaries' minimum and maximum: -1, 0 or 1. Numbers compare across
/// Integer, Number and Currency (exactly where neither is a Number); texts
/// by character codes, case counting; dates, times and date-times by their
/// moment; False before True. Other pairs raise a type mismatch.
int compareValues(const Value &a, const Value &b);

/// `text like pattern`: `*` matches any run of characters, `?` any one,
/// letters match in any case.
bool matchesLikePattern(const QString &text, const QString &pattern);

} // namespace velmora
