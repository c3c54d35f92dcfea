#pragma once

#include "engine/data/AccessFormat.h"
#include "engine/data/StoredColumn.h"

#include <vector>

namespace velmora {

/// Where one column's value lies inside a stored row.
struct FieldSlice {
    bool present = false; ///< the null-mask bit: not null, or true for Yes/No
    int start = 0;        ///< from the start of the row
    int length = 0;       ///< 0 with `present` is an empty value
};

/// Splits a stored row into its columns: the column count at the start, the
/// fixed-length values, the variable-length values located by an offset
/// table near the end (one-byte offsets with a jump table in Jet 3, two-byte
/// offsets in Jet 4) and the null mask at the very end. Columns added to the
/// table after the row was written read as null.
class RowCracker {
public:
    RowCracker(AccessFormat format, bool tableHasVariableColumns);

    /// Fills `slices` (one per column of `columns`); false when the row's
    /// own offsets contradict its length.
    bool crack(const unsigned char *row, int length, const std::vector<const StoredColumn *> &columns,
               std::vector<FieldSlice> &slices);

private:
    bool readVariableOffsets(const unsigned char *row, int length, int maskBytes);
    int readJet3Offsets(const unsigned char *row, int length, int maskBytes, int count);

    bool m_jet3;
    bool m_hasVariableColumns;
    int m_countSize;
    std::vector<int> m_offsets; // variable-length starts, then the end of data
    int m_variableCount = 0;
    int m_fixedEnd = 0;
};

} // namespace velmora
