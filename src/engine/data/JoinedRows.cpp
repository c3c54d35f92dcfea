#include "engine/data/JoinedRows.h"

namespace velmora {

JoinedRows::JoinedRows(QStringList aliases, std::vector<quint32> rowIndexes)
    : m_aliases(std::move(aliases)), m_rowIndexes(std::move(rowIndexes))
{
}

qsizetype JoinedRows::rowCount() const
{
    return m_aliases.isEmpty() ? 0 : qsizetype(m_rowIndexes.size()) / m_aliases.size();
}

int JoinedRows::tableIndex(const QString &alias) const
{
    for (int i = 0; i < m_aliases.size(); ++i)
        if (m_aliases[i].compare(alias, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace velmora
