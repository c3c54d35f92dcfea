#include "engine/definition/SourceText.h"

#include <algorithm>

namespace velmora {

SourceText::SourceText(QString text, QString sourceName)
    : m_text(std::move(text)), m_sourceName(std::move(sourceName))
{
    m_lineStarts.push_back(0);
    for (qint64 i = 0; i < m_text.size(); ++i) {
        if (m_text.at(i) == u'\n')
            m_lineStarts.push_back(i + 1);
    }
}

SourcePosition SourceText::positionAt(qint64 offset) const
{
    offset = std::clamp<qint64>(offset, 0, m_text.size());
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const auto lineIndex = qint64(next - m_lineStarts.begin()) - 1;
    return SourcePosition{int(lineIndex + 1), int(offset - m_lineStarts[size_t(lineIndex)] + 1)};
}

Failure SourceText::failureAt(SourcePosition position, qint32 number, const QString &message) const
{
    const QString line = QString::number(position.line);
    const QString column = QString::number(position.column);
    const QString where = m_sourceName.isEmpty()
        ? QStringLiteral("Error a l'informe, línia %1, columna %2: ").arg(line, column)
        : QStringLiteral("Error a l'informe «%1», línia %2, columna %3: ").arg(m_sourceName, line, column);
    return Failure(number, where + message);
}

} // namespace velmora
