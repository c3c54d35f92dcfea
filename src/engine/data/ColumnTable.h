#pragma once

#include "engine/data/TypedColumn.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace velmora {

/// Rows read from one table, kept column by column (TypedColumn) so that a
/// million rows of a few columns stay small. Immutable once built; safe to
/// read from several threads. Tables made from one another share the
/// columns they have in common.
class ColumnTable {
public:
    ColumnTable() = default;
    /// All columns must have `rowCount` rows.
    ColumnTable(std::vector<TypedColumn> columns, int rowCount);

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return int(m_columns.size()); }
    /// The column named `name`, ignoring case as Access does; -1 if absent.
    int columnIndex(const QString &name) const;
    QString columnName(int column) const { return m_columns[size_t(column)]->name(); }
    ValueType columnType(int column) const { return m_columns[size_t(column)]->type(); }
    Value value(int row, int column) const { return m_columns[size_t(column)]->value(row); }
    bool isNull(int row, int column) const { return m_columns[size_t(column)]->isNull(row); }
    const TypedColumn &column(int column) const { return *m_columns[size_t(column)]; }

    /// A table of the same rows with only `columns` (indexes into this
    /// one, in the order given); the columns are shared, not copied.
    ColumnTable withColumns(const std::vector<int> &columns) const;

    /// The value of a non-null Integer cell, without building a Value.
    std::optional<qint64> integerKey(int row, int column) const;

private:
    ColumnTable(std::vector<std::shared_ptr<const TypedColumn>> columns, int rowCount);

    std::vector<std::shared_ptr<const TypedColumn>> m_columns;
    int m_rowCount = 0;
};

} // namespace velmora
