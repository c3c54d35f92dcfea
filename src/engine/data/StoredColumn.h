#pragma once

#include "engine/data/TableSchema.h"

namespace velmora {

/// Where a column's value sits in a stored row, as the table definition
/// says: its bit in the row's null mask, and either its offset among the
/// fixed-length values or its slot in the variable-length offset table.
struct StoredColumn {
    ColumnSchema schema;
    int nullBit = 0;
    bool fixed = true;
    int fixedOffset = 0;
    int variableIndex = 0;
};

} // namespace velmora
