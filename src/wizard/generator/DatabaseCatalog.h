#pragma once

#include "engine/data/StoredRelationships.h"
#include "engine/data/TableSchema.h"
#include "wizard/generator/WizardChoices.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace velmora::wizard {

/// What the wizard knows of a database: its user tables, their columns and
/// the relationships it keeps, read once when the file is opened.
class DatabaseCatalog {
public:
    /// Opens the file through the data layer; throws its Failure (3001-3007)
    /// with the engine's own words when it cannot.
    static DatabaseCatalog open(const QString &path, const QString &password);

    DatabaseCatalog() = default;
    DatabaseCatalog(QStringList tableNames, std::vector<TableSchema> schemas,
                    std::vector<StoredRelationship> relationships);

    const QStringList &tableNames() const { return m_tableNames; }
    const std::vector<StoredRelationship> &relationships() const { return m_relationships; }
    /// The table's columns, or null for a table the database does not have.
    const TableSchema *schema(const QString &table) const;
    /// The column's description; null when the table or column is unknown.
    const ColumnSchema *column(const FieldName &field) const;
    /// Every field of `tables`, table by table in the table's own order.
    std::vector<FieldName> fieldsOf(const QStringList &tables) const;

private:
    QStringList m_tableNames;
    std::vector<TableSchema> m_schemas;
    std::vector<StoredRelationship> m_relationships;
};

/// Numbers a total can be taken of: integers, currency and floating numbers.
bool isNumeric(const ColumnSchema &column);

} // namespace velmora::wizard
