#pragma once

#include "engine/core/Value.h"

#include <cstddef>

namespace velmora {

/// The one order of values used for sorting, grouping, minimum and maximum:
/// Null first, then by type family (booleans, numbers, dates, text, binary);
/// numbers compare by value across Integer, Number and Currency; text by the
/// Catalan collation. Returns <0, 0 or >0.
int collateValues(const Value &a, const Value &b);

/// Equality consistent with hashValue(): the same type family and the same
/// content (text exactly, numbers by value).
bool sameValue(const Value &a, const Value &b);
std::size_t hashValue(const Value &v);

struct ValueHash {
    std::size_t operator()(const Value &v) const { return hashValue(v); }
};
struct ValueEqual {
    bool operator()(const Value &a, const Value &b) const { return sameValue(a, b); }
};

} // namespace velmora
