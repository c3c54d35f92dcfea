#include "engine/pdf/TrueTypeSubsetter.h"

#include "engine/pdf/TrueTypeFileWriter.h"
#include "engine/pdf/TrueTypeTableDirectory.h"

namespace velmora {

namespace {

constexpr qsizetype MaxpGlyphCount = 4;
constexpr qsizetype HheaLongMetricCount = 34;
constexpr qsizetype HeadIndexToLocFormat = 50;
constexpr qsizetype PostHeaderSize = 32;
constexpr quint32 PostWithoutNames = 0x00030000;

} // namespace

TrueTypeSubsetter::TrueTypeSubsetter(const TrueTypeGlyphTable &glyphs, const TrueTypeHorizontalMetrics &metrics,
                                     const std::map<quint32, QByteArray> &tables)
    : m_glyphs(glyphs), m_metrics(metrics), m_tables(tables)
{
}

// Marking a glyph before following its components keeps a composite that
// names itself, directly or through others, from being walked twice.
std::vector<bool> TrueTypeSubsetter::keptGlyphs(const std::vector<quint16> &glyphs) const
{
    std::vector<bool> kept(m_metrics.glyphCount(), false);
    std::vector<quint16> pending{0};
    pending.insert(pending.end(), glyphs.begin(), glyphs.end());
    while (!pending.empty()) {
        const quint16 glyph = pending.back();
        pending.pop_back();
        if (glyph >= kept.size() || kept[glyph])
            continue;
        kept[glyph] = true;
        for (quint16 component : m_glyphs.components(glyph))
            pending.push_back(component);
    }
    return kept;
}

QByteArray TrueTypeSubsetter::subset(const std::vector<quint16> &glyphs) const
{
    const std::vector<bool> kept = keptGlyphs(glyphs);
    int glyphCount = int(kept.size());
    while (glyphCount > 1 && !kept[glyphCount - 1])
        --glyphCount;

    QByteArray glyf;
    QByteArray loca(4 * (glyphCount + 1), '\0');
    for (int glyph = 0; glyph < glyphCount; ++glyph) {
        TrueTypeFileWriter::putU32(loca, 4 * glyph, quint32(glyf.size()));
        if (kept[glyph]) {
            glyf.append(m_glyphs.glyphData(quint16(glyph)));
            glyf.append((4 - glyf.size() % 4) % 4, '\0');
        }
    }
    TrueTypeFileWriter::putU32(loca, 4 * glyphCount, quint32(glyf.size()));

    TrueTypeFileWriter writer;
    writer.addTable(trueTypeTag("glyf"), glyf);
    writer.addTable(trueTypeTag("loca"), loca);
    writer.addTable(trueTypeTag("hmtx"), horizontalMetrics(glyphCount));
    for (const auto &[tag, data] : m_tables)
        writer.addTable(tag, adjustedTable(tag, data, glyphCount));
    return writer.write();
}

QByteArray TrueTypeSubsetter::horizontalMetrics(int glyphCount) const
{
    QByteArray hmtx(4 * glyphCount, '\0');
    for (int glyph = 0; glyph < glyphCount; ++glyph) {
        TrueTypeFileWriter::putU16(hmtx, 4 * glyph, quint16(m_metrics.advance(quint16(glyph))));
        TrueTypeFileWriter::putU16(hmtx, 4 * glyph + 2, quint16(m_metrics.leftBearing(quint16(glyph))));
    }
    return hmtx;
}

QByteArray TrueTypeSubsetter::adjustedTable(quint32 tag, QByteArray data, int glyphCount) const
{
    if (tag == trueTypeTag("maxp"))
        TrueTypeFileWriter::putU16(data, MaxpGlyphCount, quint16(glyphCount));
    else if (tag == trueTypeTag("hhea"))
        TrueTypeFileWriter::putU16(data, HheaLongMetricCount, quint16(glyphCount));
    else if (tag == trueTypeTag("head"))
        TrueTypeFileWriter::putU16(data, HeadIndexToLocFormat, 1);
    else if (tag == trueTypeTag("post")) {
        // Glyph names would need the dropped numbering; format 3 has none.
        data.truncate(PostHeaderSize);
        TrueTypeFileWriter::putU32(data, 0, PostWithoutNames);
    }
    return data;
}

} // namespace velmora
