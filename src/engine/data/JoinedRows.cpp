#include "engine/data/JoinedRows.h"

namespace velmora {

JoinedRows::JoinedRows(QStringList aliases, std::vector<quint32> rowIndexes) : m_aliases(std::move(aliases))
{
    const size_t tables = size_t(m_aliases.size());
    m_rowCount = tables == 0 ? 0 : qsizetype(rowIndexes.size() / tables);
    for (size_t t = 0; t < tables; ++t)
        m_tables.emplace_back(rowIndexes, t, tables, size_t(m_rowCount));
}

qint64 JoinedRows::storedBytes() const
{
    qint64 bytes = 0;
    for (const RowNumberColumn &table : m_tables)
        bytes += table.storedBytes();
    return bytes;
}

int JoinedRows::tableIndex(const QString &alias) const
{
    for (int i = 0; i < m_aliases.size(); ++i)
        if (m_aliases[i].compare(alias, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace velmora
