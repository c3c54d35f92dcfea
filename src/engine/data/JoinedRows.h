#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace velmora {

/// The result of joining tables: for each joined row, one row index per
/// table (in the order the tables were given), or `missing` for the absent
/// side of an outer join. Four bytes per table per row.
class JoinedRows {
public:
    static constexpr quint32 missing = 0xFFFFFFFFu;

    JoinedRows(QStringList aliases, std::vector<quint32> rowIndexes);

    int tableCount() const { return int(m_aliases.size()); }
    qsizetype rowCount() const;
    /// The table called `alias` (ignoring case); -1 if none.
    int tableIndex(const QString &alias) const;
    const QStringList &aliases() const { return m_aliases; }
    /// The row of table `table` that joined row `row` uses, or `missing`.
    quint32 rowOf(qsizetype row, int table) const { return m_rowIndexes[size_t(row * tableCount() + table)]; }

private:
    QStringList m_aliases;
    std::vector<quint32> m_rowIndexes;
};

} // namespace velmora
