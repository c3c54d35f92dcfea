#pragma once

#include "engine/data/RowNumberColumn.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace velmora {

/// The result of joining tables: for each joined row, one row index per
/// table (in the order the tables were given), or `missing` for the absent
/// side of an outer join. Each table's numbers are kept as narrowly as they
/// allow (RowNumberColumn): at most four bytes per table per row, none for
/// a driving table whose rows each join once.
class JoinedRows {
public:
    static constexpr quint32 missing = RowNumberColumn::missing;

    /// `rowIndexes` holds, joined row after joined row, one number per table.
    JoinedRows(QStringList aliases, std::vector<quint32> rowIndexes);

    int tableCount() const { return int(m_aliases.size()); }
    qsizetype rowCount() const { return m_rowCount; }
    /// The table called `alias` (ignoring case); -1 if none.
    int tableIndex(const QString &alias) const;
    const QStringList &aliases() const { return m_aliases; }
    /// The row of table `table` that joined row `row` uses, or `missing`.
    quint32 rowOf(qsizetype row, int table) const { return m_tables[size_t(table)].at(size_t(row)); }
    qint64 storedBytes() const;

private:
    QStringList m_aliases;
    qsizetype m_rowCount = 0;
    std::vector<RowNumberColumn> m_tables;
};

} // namespace velmora
