#pragma once

#include "engine/data/ColumnTable.h"

#include <optional>
#include <vector>

namespace velmora {

/// The key of a row for joining: the values of some of its columns, hashed
/// and compared as Access joins them. Numbers of any kind are equal when
/// their values are (5, 5.0 and 5.0000 match); text matches ignoring case;
/// a null in any key column matches nothing.
class JoinKey {
public:
    JoinKey(const ColumnTable &table, std::vector<int> columns);

    /// nullopt when the row's key holds a null.
    std::optional<quint64> hash(int row) const;
    bool equals(int row, const JoinKey &other, int otherRow) const;

private:
    const ColumnTable &m_table;
    std::vector<int> m_columns;
};

} // namespace velmora
