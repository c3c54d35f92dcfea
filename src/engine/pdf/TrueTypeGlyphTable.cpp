#include "engine/pdf/TrueTypeGlyphTable.h"

namespace velmora {

namespace {

constexpr int GlyphHeaderSize = 10;

enum ComponentFlag : quint16 {
    ArgumentsAreWords = 0x0001,
    HasScale = 0x0008,
    MoreComponents = 0x0020,
    HasXAndYScale = 0x0040,
    HasTwoByTwo = 0x0080,
};

qint64 componentRecordSize(quint16 flags)
{
    qint64 size = 4 + ((flags & ArgumentsAreWords) ? 4 : 2);
    if (flags & HasScale)
        size += 2;
    else if (flags & HasXAndYScale)
        size += 4;
    else if (flags & HasTwoByTwo)
        size += 8;
    return size;
}

} // namespace

TrueTypeGlyphTable::TrueTypeGlyphTable(const TrueTypeReader &loca, const TrueTypeReader &glyf, bool longOffsets,
                                       int glyphCount)
    : m_glyf(glyf)
{
    readOffsets(loca, longOffsets, glyphCount);
    for (int glyph = 0; glyph < glyphCount; ++glyph)
        checkGlyph(quint16(glyph));
}

void TrueTypeGlyphTable::readOffsets(const TrueTypeReader &loca, bool longOffsets, int glyphCount)
{
    m_offsets.resize(size_t(glyphCount) + 1);
    for (int i = 0; i <= glyphCount; ++i) {
        m_offsets[i] = longOffsets ? loca.u32(4 * qint64(i)) : 2 * quint32(loca.u16(2 * qint64(i)));
        if (i > 0 && m_offsets[i] < m_offsets[i - 1])
            loca.fail(QStringLiteral("la posició del glif %1 va enrere a la taula «loca»").arg(i - 1));
    }
    if (m_offsets.back() > quint64(m_glyf.size()))
        loca.fail(QStringLiteral("la taula «loca» assenyala fora de la taula «glyf»"));
}

QByteArrayView TrueTypeGlyphTable::glyphData(quint16 glyph) const
{
    if (size_t(glyph) + 1 >= m_offsets.size())
        return {};
    return m_glyf.bytes(m_offsets[glyph], m_offsets[glyph + 1] - m_offsets[glyph]);
}

void TrueTypeGlyphTable::checkGlyph(quint16 glyph) const
{
    const qint64 size = glyphData(glyph).size();
    if (size == 0)
        return;
    if (size < GlyphHeaderSize)
        m_glyf.fail(QStringLiteral("el glif %1 és massa curt").arg(glyph));
    const int glyphCount = int(m_offsets.size()) - 1;
    for (quint16 component : components(glyph)) {
        if (component >= glyphCount)
            m_glyf.fail(QStringLiteral("el glif %1 es compon d'un glif que no existeix").arg(glyph));
    }
}

std::vector<quint16> TrueTypeGlyphTable::components(quint16 glyph) const
{
    std::vector<quint16> result;
    const qint64 size = glyphData(glyph).size();
    if (size < GlyphHeaderSize)
        return result;
    const TrueTypeReader reader = m_glyf.slice(m_offsets[glyph], size);
    const qint16 contourCount = reader.i16(0);
    if (contourCount >= 0)
        return result;
    qint64 at = GlyphHeaderSize;
    quint16 flags = MoreComponents;
    while (flags & MoreComponents) {
        flags = reader.u16(at);
        result.push_back(reader.u16(at + 2));
        at += componentRecordSize(flags);
    }
    if (at > size)
        m_glyf.fail(QStringLiteral("el glif compost %1 s'acaba abans d'hora").arg(glyph));
    return result;
}

} // namespace velmora

