#include "wizard/generator/DatabaseCatalog.h"

#include "engine/data/AccessDatabase.h"

namespace velmora::wizard {

DatabaseCatalog DatabaseCatalog::open(const QString &path, const QString &password)
{
    const auto database = AccessDatabase::open(path, password);
    std::vector<TableSchema> schemas;
    for (const QString &name : database->tableNames())
        if (auto schema = database->schema(name))
            schemas.push_back(std::move(*schema));
    return DatabaseCatalog(database->tableNames(), std::move(schemas), readStoredRelationships(*database));
}

DatabaseCatalog::DatabaseCatalog(QStringList tableNames, std::vector<TableSchema> schemas,
                                 std::vector<StoredRelationship> relationships)
    : m_tableNames(std::move(tableNames)), m_schemas(std::move(schemas)), m_relationships(std::move(relationships))
{
}

const TableSchema *DatabaseCatalog::schema(const QString &table) const
{
    for (const TableSchema &schema : m_schemas)
        if (schema.name.compare(table, Qt::CaseInsensitive) == 0)
            return &schema;
    return nullptr;
}

const ColumnSchema *DatabaseCatalog::column(const FieldName &field) const
{
    const TableSchema *table = schema(field.table);
    if (!table)
        return nullptr;
    const int index = table->columnIndex(field.field);
    return index < 0 ? nullptr : &table->columns[size_t(index)];
}

std::vector<FieldName> DatabaseCatalog::fieldsOf(const QStringList &tables) const
{
    std::vector<FieldName> fields;
    for (const QString &table : tables)
        if (const TableSchema *found = schema(table))
            for (const ColumnSchema &column : found->columns)
                fields.push_back({found->name, column.name});
    return fields;
}

bool isNumeric(const ColumnSchema &column)
{
    switch (column.valueType) {
    case ValueType::Integer:
    case ValueType::Number:
    case ValueType::Currency: return column.accessType != AccessType::YesNo;
    default: return false;
    }
}

} // namespace velmora::wizard
