#pragma once

#include "engine/data/TypedColumn.h"

#include <QString>

#include <optional>
#include <vector>

namespace velmora {

/// Rows read from one table, kept column by column (TypedColumn) so that a
/// million rows of a few columns stay small. Immutable once built; safe to
/// read from several threads.
class ColumnTable {
public:
    ColumnTable() = default;
    /// All columns must have `rowCount` rows.
    ColumnTable(std::vector<TypedColumn> columns, int rowCount);

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return int(m_columns.size()); }
    /// The column named `name`, ignoring case as Access does; -1 if absent.
    int columnIndex(const QString &name) const;
    QString columnName(int column) const { return m_columns[size_t(column)].name(); }
    ValueType columnType(int column) const { return m_columns[size_t(column)].type(); }
    Value value(int row, int column) const { return m_columns[size_t(column)].value(row); }
    bool isNull(int row, int column) const { return m_columns[size_t(column)].isNull(row); }
    const TypedColumn &column(int column) const { return m_columns[size_t(column)]; }

    /// The value of a non-null Integer cell, without building a Value.
    std::optional<qint64> integerKey(int row, int column) const;

private:
    std::vector<TypedColumn> m_columns;
    int m_rowCount = 0;
};

} // namespace velmora
