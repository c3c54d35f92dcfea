#pragma once

#include "engine/data/AccessType.h"

#include <QString>

#include <vector>

namespace velmora {

/// One column of an Access table: its name, its Access type and the report
/// type its values take.
struct ColumnSchema {
    QString name;
    AccessType accessType = AccessType::Unknown;
    ValueType valueType = ValueType::Null;
    int size = 0;      ///< bytes for fixed types, the declared length for text
    int precision = 0; ///< Decimal only
    int scale = 0;     ///< Decimal only
};

/// The columns of an Access table in the table's own order.
struct TableSchema {
    QString name;
    std::vector<ColumnSchema> columns;
    qint64 rowCount = 0; ///< as the table definition records it

    /// The column named `column` (compared as Access does, ignoring case);
    /// -1 when there is none.
    int columnIndex(const QString &column) const
    {
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].name.compare(column, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    }
};

} // namespace velmora
