#include "engine/pdf/TrueTypeTableDirectory.h"

#include <algorithm>

namespace velmora {

QString trueTypeTagName(quint32 tag)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += QChar(char16_t((tag >> shift) & 0xFF));
    return text.trimmed();
}

TrueTypeTableDirectory::TrueTypeTableDirectory(const TrueTypeReader &reader, int faceIndex)
    : m_reader(reader)
{
    if (reader.size() == 0)
        reader.fail(QStringLiteral("el fitxer és buit"));
    readTables(faceOffset(faceIndex));
}

qint64 TrueTypeTableDirectory::faceOffset(int faceIndex) const
{
    const quint32 signature = m_reader.u32(0);
    if (signature != trueTypeTag("ttcf")) {
        if (faceIndex != 0)
            m_reader.fail(QStringLiteral("el fitxer té una sola cara i s'ha demanat la número %1").arg(faceIndex));
        return 0;
    }
    const quint32 faceCount = m_reader.u32(8);
    if (faceIndex < 0 || quint32(faceIndex) >= faceCount)
        m_reader.fail(QStringLiteral("la col·lecció té %1 cares i s'ha demanat la número %2")
                          .arg(faceCount)
                          .arg(faceIndex));
    return m_reader.u32(12 + 4 * qint64(faceIndex));
}

void TrueTypeTableDirectory::readTables(qint64 offset)
{
    const quint32 version = m_reader.u32(offset);
    if (version == trueTypeTag("OTTO"))
        m_reader.fail(QStringLiteral("té contorns CFF (PostScript), no contorns TrueType"));
    if (version != 0x00010000 && version != trueTypeTag("true"))
        m_reader.fail(QStringLiteral("no és un tipus de lletra TrueType"));

    const int tableCount = m_reader.u16(offset + 4);
    m_tables.reserve(tableCount);
    for (int i = 0; i < tableCount; ++i) {
        const qint64 at = offset + 12 + 16 * qint64(i);
        const Table table{m_reader.u32(at), m_reader.u32(at + 8), m_reader.u32(at + 12)};
        if (!m_reader.contains(table.offset, table.length))
            m_reader.fail(QStringLiteral("la taula «%1» surt fora del fitxer").arg(trueTypeTagName(table.tag)));
        if (!record(table.tag))
            m_tables.push_back(table);
    }
}

const TrueTypeTableDirectory::Table *TrueTypeTableDirectory::record(quint32 tag) const
{
    const auto found = std::find_if(m_tables.begin(), m_tables.end(),
                                    [tag](const Table &table) { return table.tag == tag; });
    return found == m_tables.end() ? nullptr : &*found;
}

std::optional<TrueTypeReader> TrueTypeTableDirectory::find(quint32 tag, qint64 minimumSize) const
{
    const Table *table = record(tag);
    if (!table || table->length < minimumSize)
        return std::nullopt;
    return m_reader.slice(table->offset, table->length);
}

TrueTypeReader TrueTypeTableDirectory::require(quint32 tag, qint64 minimumSize) const
{
    const Table *table = record(tag);
    if (!table) {
        if (tag == trueTypeTag("glyf") || tag == trueTypeTag("loca"))
            m_reader.fail(QStringLiteral("no té contorns TrueType (hi falta la taula «%1»)").arg(trueTypeTagName(tag)));
        m_reader.fail(QStringLiteral("hi falta la taula «%1»").arg(trueTypeTagName(tag)));
    }
    if (table->length < minimumSize)
        m_reader.fail(QStringLiteral("la taula «%1» és massa curta").arg(trueTypeTagName(tag)));
    return m_reader.slice(table->offset, table->length);
}

} // namespace velmora
