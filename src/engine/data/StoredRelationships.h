#pragma once

#include "engine/data/AccessDatabase.h"

#include <QStringList>

#include <vector>

namespace velmora {

/// A relationship the database keeps between two tables: rows of `table`
/// (the many side) point at rows of `referencedTable` where every column
/// pair is equal.
struct StoredRelationship {
    QString name;
    QString table;
    QStringList columns;
    QString referencedTable;
    QStringList referencedColumns;
    bool operator==(const StoredRelationship &) const = default;
};

/// The relationships of MSysRelationships, one per relationship with its
/// column pairs in key order, sorted by name. Empty when the file keeps
/// none or the system table cannot be read (it is not the user's data: a
/// report can always be made without it).
std::vector<StoredRelationship> readStoredRelationships(const AccessDatabase &database);

} // namespace velmora
