#include "engine/layout/AccessRecordProvider.h"

#include "engine/data/AccessDatabase.h"
#include "engine/data/TableJoiner.h"
#include "engine/layout/ColumnRanks.h"
#include "engine/layout/LayoutErrors.h"
#include "engine/layout/TablePassword.h"

#include <algorithm>
#include <mutex>

namespace velmora {

namespace {

/// The joined rows, read through the columns each requested field lives in.
class JoinedRecordSet : public RecordSet {
public:
    JoinedRecordSet(std::vector<AliasedTable> tables, JoinedRows rows, std::vector<std::pair<int, int>> fieldColumns)
        : m_tables(std::move(tables)), m_rows(std::move(rows)), m_fieldColumns(std::move(fieldColumns))
    {
    }
    qint64 size() const override { return m_rows.rowCount(); }
    Value value(qint64 record, int field) const override
    {
        const auto [table, column] = m_fieldColumns[size_t(field)];
        const quint32 row = m_rows.rowOf(record, table);
        if (row == JoinedRows::missing)
            return Value();
        return m_tables[size_t(table)].table->value(int(row), column);
    }
    int sourceTable(int field) const override { return m_fieldColumns[size_t(field)].first; }
    qint64 sourceRowCount(int table) const override { return m_tables[size_t(table)].table->rowCount(); }
    qint64 sourceRow(qint64 record, int table) const override
    {
        const quint32 row = m_rows.rowOf(record, table);
        return row == JoinedRows::missing ? -1 : qint64(row);
    }
    std::vector<quint32> sourceRanks(int field) const override
    {
        const auto [table, column] = m_fieldColumns[size_t(field)];
        return columnRanks(m_tables[size_t(table)].table->column(column));
    }

private:
    std::vector<AliasedTable> m_tables;
    JoinedRows m_rows;
    std::vector<std::pair<int, int>> m_fieldColumns;
};

void addColumn(QStringList &columns, const QString &name)
{
    if (!columns.contains(name, Qt::CaseInsensitive))
        columns.append(name);
}

/// Open databases, shared by the main report and its subreports.
class DatabaseCache {
public:
    explicit DatabaseCache(std::map<QString, TableLocation> tables) : m_tables(std::move(tables)) {}

    const TableLocation &locationOf(const QString &key) const
    {
        const auto it = m_tables.find(key);
        if (it == m_tables.end() || it->second.databasePath.isEmpty())
            throw Failure(LayoutErrors::NoLocation,
                          QStringLiteral("La taula %1 de l'informe no té cap base de dades assignada.").arg(key));
        return it->second;
    }

    std::shared_ptr<AccessDatabase> open(const TableLocation &location)
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_open.find(location.databasePath);
        if (found != m_open.end())
            return found->second;
        auto database = AccessDatabase::open(location.databasePath, passwordFor(location));
        m_open.emplace(location.databasePath, database);
        return database;
    }

private:
    QString passwordFor(const TableLocation &location) const { return databasePasswordFor(location, m_tables); }

    std::map<QString, TableLocation> m_tables;
    std::mutex m_mutex;
    std::map<QString, std::shared_ptr<AccessDatabase>> m_open;
};

/// Once the tables are joined, the columns only the links read are let go:
/// the record set keeps the columns its fields read, and `fieldColumns`
/// is made to point into what is kept.
void keepOnlyFieldColumns(std::vector<AliasedTable> &tables, std::vector<std::pair<int, int>> &fieldColumns)
{
    for (size_t t = 0; t < tables.size(); ++t) {
        std::vector<int> kept;
        for (auto &[table, column] : fieldColumns) {
            if (table != int(t))
                continue;
            const auto found = std::find(kept.begin(), kept.end(), column);
            const int place = int(found - kept.begin());
            if (found == kept.end())
                kept.push_back(column);
            column = place;
        }
        tables[t].table = std::make_shared<const ColumnTable>(tables[t].table->withColumns(kept));
    }
}

std::vector<JoinLink> joinLinks(const ReportDefinition &definition)
{
    std::vector<JoinLink> links;
    for (const TableLink &l : definition.links)
        links.push_back({l.fromAlias, l.fromFields, l.toAlias, l.toFields,
                         l.join == JoinType::Inner ? JoinKind::Inner : JoinKind::LeftOuter});
    return links;
}

} // namespace

RecordProvider accessRecordProvider(std::map<QString, TableLocation> tables)
{
    auto cache = std::make_shared<DatabaseCache>(std::move(tables));
    return [cache](const ReportDefinition &definition, const QString &subreportName,
                   const std::vector<FieldKey> &fields, const CancelToken &cancel,
                   const ProgressCallback &progress) -> std::shared_ptr<const RecordSet> {
        if (definition.tables.empty())
            throw Failure(LayoutErrors::NoTables, QStringLiteral("L'informe no té cap taula."));
        std::vector<QStringList> columns(definition.tables.size());
        const auto tableIndex = [&](const QString &alias) {
            for (size_t t = 0; t < definition.tables.size(); ++t)
                if (definition.tables[t].alias.compare(alias, Qt::CaseInsensitive) == 0)
                    return int(t);
            return -1;
        };
        for (const FieldKey &f : fields)
            addColumn(columns[size_t(tableIndex(f.alias))], f.field);
        for (const TableLink &l : definition.links) {
            for (const QString &c : l.fromFields)
                if (tableIndex(l.fromAlias) >= 0)
                    addColumn(columns[size_t(tableIndex(l.fromAlias))], c);
            for (const QString &c : l.toFields)
                if (tableIndex(l.toAlias) >= 0)
                    addColumn(columns[size_t(tableIndex(l.toAlias))], c);
        }
        std::vector<AliasedTable> read;
        for (size_t t = 0; t < definition.tables.size(); ++t) {
            const TableDefinition &table = definition.tables[t];
            const QString key = subreportName.isEmpty() ? table.alias : subreportName + u'/' + table.alias;
            auto database = cache->open(cache->locationOf(key));
            if (progress)
                progress({0, 0, QStringLiteral("Llegint la taula %1").arg(table.name)});
            read.push_back({table.alias, database->readColumns(table.name, columns[t], cancel, progress)});
        }
        std::vector<std::pair<int, int>> fieldColumns;
        for (const FieldKey &f : fields) {
            const int t = tableIndex(f.alias);
            fieldColumns.emplace_back(t, read[size_t(t)].table->columnIndex(f.field));
        }
        if (progress)
            progress({0, 0, QStringLiteral("Enllaçant les taules")});
        JoinedRows rows = TableJoiner::join(read, joinLinks(definition), cancel);
        keepOnlyFieldColumns(read, fieldColumns);
        return std::make_shared<JoinedRecordSet>(std::move(read), std::move(rows), std::move(fieldColumns));
    };
}

} // namespace velmora
