#pragma once

#include "engine/data/StoredColumn.h"

#include <QByteArray>

#include <vector>

namespace velmora {

/// What reading a table's rows needs from its definition page: the page
/// that owns its data pages, the row count to check the read against, its
/// page usage map and the placement of every column. A plain value, free of
/// the library that parsed it.
struct StoredTable {
    QString name;
    quint32 definitionPage = 0;
    qint64 rowCount = 0;
    bool hasVariableColumns = false;
    QByteArray usageMap;
    std::vector<StoredColumn> columns;

    TableSchema schema() const
    {
        TableSchema result{name, {}, rowCount};
        for (const StoredColumn &column : columns)
            result.columns.push_back(column.schema);
        return result;
    }
};

} // namespace velmora
