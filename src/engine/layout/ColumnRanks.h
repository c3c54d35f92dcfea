#pragma once

#include "engine/data/TypedColumn.h"

#include <vector>

namespace velmora {

/// For each row of `column`, the rank of its value in the order
/// collateValues() puts the column's values in: 0 for null, then 1, 2, ...
/// with equal values sharing a rank (ranks need not be consecutive).
/// Sorting and grouping a million records by a field then compares small
/// integers, and no Value is built per row. Empty when the column's type
/// has no ranking here (binary, numbers that include a NaN): the caller
/// then compares values.
std::vector<quint32> columnRanks(const TypedColumn &column);

} // namespace velmora
