#include "engine/data/TableJoiner.h"

#include "engine/core/Failure.h"
#include "engine/data/DataErrors.h"
#include "engine/data/JoinIndex.h"

namespace velmora {

namespace {

constexpr quint32 missing = JoinedRows::missing;
constexpr qsizetype cancelInterval = 65536;

struct ResolvedLink {
    int from = 0;
    std::vector<int> fromColumns;
    int to = 0;
    std::vector<int> toColumns;
    JoinKind kind = JoinKind::Inner;
};

int aliasIndex(const std::vector<AliasedTable> &tables, const QString &alias)
{
    for (size_t i = 0; i < tables.size(); ++i)
        if (tables[i].alias.compare(alias, Qt::CaseInsensitive) == 0)
            return int(i);
    throw Failure(DataErrors::UnknownAlias,
                  QStringLiteral("Un enllaç fa servir la taula «%1», que l'informe no té.").arg(alias));
}

std::vector<int> fieldColumns(const AliasedTable &table, const QStringList &fields)
{
    std::vector<int> columns;
    for (const QString &field : fields) {
        const int column = table.table->columnIndex(field);
        if (column < 0)
            throw Failure(DataErrors::UnknownJoinField,
                          QStringLiteral("L'enllaç fa servir el camp «%1», que la taula «%2» no té.")
                              .arg(field, table.alias));
        columns.push_back(column);
    }
    return columns;
}

ResolvedLink resolve(const std::vector<AliasedTable> &tables, const JoinLink &link)
{
    ResolvedLink resolved;
    resolved.from = aliasIndex(tables, link.fromAlias);
    resolved.to = aliasIndex(tables, link.toAlias);
    if (link.fromFields.isEmpty() || link.fromFields.size() != link.toFields.size())
        throw Failure(DataErrors::MismatchedJoinFields,
                      QStringLiteral("L'enllaç entre «%1» i «%2» no té el mateix nombre de camps a cada banda.")
                          .arg(link.fromAlias, link.toAlias));
    resolved.fromColumns = fieldColumns(tables[size_t(resolved.from)], link.fromFields);
    resolved.toColumns = fieldColumns(tables[size_t(resolved.to)], link.toFields);
    resolved.kind = link.kind;
    return resolved;
}

void checkAliasesAreDistinct(const std::vector<AliasedTable> &tables)
{
    for (size_t i = 0; i < tables.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (tables[i].alias.compare(tables[j].alias, Qt::CaseInsensitive) == 0)
                throw Failure(DataErrors::DuplicateAlias,
                              QStringLiteral("La taula «%1» apareix dues vegades a l'informe.").arg(tables[i].alias));
}

/// The joined rows as they grow, one link at a time.
class JoinRun {
public:
    JoinRun(const std::vector<AliasedTable> &tables, const CancelToken &cancel)
        : m_tables(tables), m_width(tables.size()), m_joined(tables.size(), false), m_cancel(cancel)
    {
        const int rows = tables.front().table->rowCount();
        m_rows.assign(size_t(rows) * m_width, missing);
        for (int row = 0; row < rows; ++row)
            m_rows[size_t(row) * m_width] = quint32(row);
        m_joined[0] = true;
    }

    bool isJoined(int table) const { return m_joined[size_t(table)]; }

    /// Adds table `added` to every joined row through `link`, where `known`
    /// is the side already joined; `keepUnmatched` keeps rows without a
    /// partner. Returns which rows of `added` found a partner.
    std::vector<bool> expand(int known, const std::vector<int> &knownColumns, int added,
                             const std::vector<int> &addedColumns, bool keepUnmatched)
    {
        const ColumnTable &addedTable = *m_tables[size_t(added)].table;
        const JoinKey addedKey(addedTable, addedColumns);
        const JoinKey knownKey(*m_tables[size_t(known)].table, knownColumns);
        const JoinIndex index(addedKey, addedTable.rowCount());
        std::vector<bool> matched(size_t(addedTable.rowCount()), false);
        std::vector<quint32> result;
        result.reserve(m_rows.size());
        for (size_t start = 0; start < m_rows.size(); start += m_width) {
            checkCancel(start);
            const quint32 knownRow = m_rows[start + size_t(known)];
            bool found = false;
            if (knownRow != missing) {
                index.forEachMatch(knownKey, int(knownRow), [&](quint32 row) {
                    found = true;
                    matched[row] = true;
                    appendRow(result, start, added, row);
                });
            }
            if (!found && keepUnmatched)
                appendRow(result, start, added, missing);
        }
        m_rows = std::move(result);
        m_joined[size_t(added)] = true;
        return matched;
    }

    /// Rows of table `table` no joined row uses, each alone in a new row.
    void appendUnmatched(int table, const std::vector<bool> &matched)
    {
        for (size_t row = 0; row < matched.size(); ++row) {
            if (matched[row])
                continue;
            m_rows.insert(m_rows.end(), m_width, missing);
            m_rows[m_rows.size() - m_width + size_t(table)] = quint32(row);
        }
    }

    void filter(const ResolvedLink &link)
    {
        const JoinKey fromKey(*m_tables[size_t(link.from)].table, link.fromColumns);
        const JoinKey toKey(*m_tables[size_t(link.to)].table, link.toColumns);
        std::vector<quint32> result;
        for (size_t start = 0; start < m_rows.size(); start += m_width) {
            checkCancel(start);
            const quint32 fromRow = m_rows[start + size_t(link.from)];
            const quint32 toRow = m_rows[start + size_t(link.to)];
            const bool keep = (fromRow != missing && toRow != missing && fromKey.equals(int(fromRow), toKey, int(toRow)))
                           || (link.kind == JoinKind::LeftOuter && toRow == missing);
            if (keep)
                result.insert(result.end(), m_rows.begin() + qsizetype(start), m_rows.begin() + qsizetype(start + m_width));
        }
        m_rows = std::move(result);
    }

    JoinedRows finish()
    {
        QStringList aliases;
        for (const AliasedTable &table : m_tables)
            aliases << table.alias;
        return JoinedRows(aliases, std::move(m_rows));
    }

private:
    void appendRow(std::vector<quint32> &into, size_t start, int table, quint32 row) const
    {
        into.insert(into.end(), m_rows.begin() + qsizetype(start), m_rows.begin() + qsizetype(start + m_width));
        into[into.size() - m_width + size_t(table)] = row;
    }

    void checkCancel(size_t start) const
    {
        if ((start / m_width) % cancelInterval == 0 && m_cancel.isCancelled())
            throw DataErrors::stopped();
    }

    const std::vector<AliasedTable> &m_tables;
    const size_t m_width;
    std::vector<quint32> m_rows;
    std::vector<bool> m_joined;
    const CancelToken &m_cancel;
};

void applyLink(JoinRun &run, const ResolvedLink &link)
{
    const bool outer = link.kind == JoinKind::LeftOuter;
    if (run.isJoined(link.from) && run.isJoined(link.to))
        run.filter(link);
    else if (run.isJoined(link.from))
        run.expand(link.from, link.fromColumns, link.to, link.toColumns, outer);
    else if (outer)
        run.appendUnmatched(link.from, run.expand(link.to, link.toColumns, link.from, link.fromColumns, false));
    else
        run.expand(link.to, link.toColumns, link.from, link.fromColumns, false);
}

} // namespace

JoinedRows TableJoiner::join(const std::vector<AliasedTable> &tables, const std::vector<JoinLink> &links,
                             const CancelToken &cancel)
{
    if (tables.empty())
        return JoinedRows({}, {});
    checkAliasesAreDistinct(tables);
    std::vector<ResolvedLink> pending;
    for (const JoinLink &link : links)
        pending.push_back(resolve(tables, link));

    JoinRun run(tables, cancel);
    while (!pending.empty()) {
        auto next = std::find_if(pending.begin(), pending.end(), [&](const ResolvedLink &link) {
            return run.isJoined(link.from) || run.isJoined(link.to);
        });
        if (next == pending.end())
            break;
        applyLink(run, *next);
        pending.erase(next);
    }
    for (size_t i = 0; i < tables.size(); ++i)
        if (!run.isJoined(int(i)))
            throw Failure(DataErrors::UnlinkedTable,
                          QStringLiteral("La taula «%1» no està enllaçada amb la resta de taules de l'informe.")
                              .arg(tables[i].alias));
    return run.finish();
}

} // namespace velmora
