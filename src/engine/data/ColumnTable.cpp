#include "engine/data/ColumnTable.h"

namespace velmora {

ColumnTable::ColumnTable(std::vector<TypedColumn> columns, int rowCount) : m_rowCount(rowCount)
{
    m_columns.reserve(columns.size());
    for (TypedColumn &column : columns) {
        column.finish();
        m_columns.push_back(std::make_shared<const TypedColumn>(std::move(column)));
    }
}

ColumnTable::ColumnTable(std::vector<std::shared_ptr<const TypedColumn>> columns, int rowCount)
    : m_columns(std::move(columns)), m_rowCount(rowCount)
{
}

ColumnTable ColumnTable::withColumns(const std::vector<int> &columns) const
{
    std::vector<std::shared_ptr<const TypedColumn>> kept;
    for (int column : columns)
        kept.push_back(m_columns[size_t(column)]);
    return ColumnTable(std::move(kept), m_rowCount);
}

int ColumnTable::columnIndex(const QString &name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i]->name().compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

std::optional<qint64> ColumnTable::integerKey(int row, int column) const
{
    const TypedColumn &c = *m_columns[size_t(column)];
    return c.type() == ValueType::Integer ? c.int64At(row) : std::nullopt;
}

} // namespace velmora
