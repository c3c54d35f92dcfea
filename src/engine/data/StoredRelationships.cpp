#include "engine/data/StoredRelationships.h"

#include "engine/core/Failure.h"

#include <algorithm>
#include <map>

namespace velmora {

namespace {

struct ColumnPair {
    qint64 index = 0;
    QString column;
    QString referencedColumn;
};

struct PendingRelationship {
    QString table;
    QString referencedTable;
    std::vector<ColumnPair> pairs;
};

StoredRelationship finished(const QString &name, PendingRelationship pending)
{
    std::sort(pending.pairs.begin(), pending.pairs.end(),
              [](const ColumnPair &a, const ColumnPair &b) { return a.index < b.index; });
    StoredRelationship relationship{name, pending.table, {}, pending.referencedTable, {}};
    for (const ColumnPair &pair : pending.pairs) {
        relationship.columns << pair.column;
        relationship.referencedColumns << pair.referencedColumn;
    }
    return relationship;
}

} // namespace

std::vector<StoredRelationship> readStoredRelationships(const AccessDatabase &database)
{
    std::shared_ptr<const ColumnTable> rows;
    try {
        rows = database.readSystemColumns(QStringLiteral("MSysRelationships"),
                                          {QStringLiteral("szRelationship"), QStringLiteral("icolumn"),
                                           QStringLiteral("szObject"), QStringLiteral("szColumn"),
                                           QStringLiteral("szReferencedObject"),
                                           QStringLiteral("szReferencedColumn")});
    } catch (const Failure &) {
        return {};
    }
    if (!rows)
        return {};
    std::map<QString, PendingRelationship> byName;
    for (int row = 0; row < rows->rowCount(); ++row) {
        bool incomplete = false;
        for (int column : {0, 2, 3, 4, 5})
            incomplete = incomplete || rows->isNull(row, column);
        if (incomplete)
            continue;
        PendingRelationship &pending = byName[rows->column(0).stringAt(row)];
        pending.table = rows->column(2).stringAt(row);
        pending.referencedTable = rows->column(4).stringAt(row);
        pending.pairs.push_back({rows->column(1).int64At(row).value_or(0), rows->column(3).stringAt(row),
                                 rows->column(5).stringAt(row)});
    }
    std::vector<StoredRelationship> relationships;
    for (auto &[name, pending] : byName)
        relationships.push_back(finished(name, std::move(pending)));
    return relationships;
}

} // namespace velmora
