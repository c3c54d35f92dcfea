#include "engine/pdf/TrueTypeCharacterMap.h"

#include <algorithm>

namespace velmora {

namespace {

enum Platform { Unicode = 0, Windows = 3 };

/// Lower is better; -1 for a subtable that cannot map Unicode.
int preference(int platform, int encoding, int format)
{
    if (format == 12 && platform == Windows && encoding == 10)
        return 0;
    if (format == 12 && platform == Unicode)
        return 1;
    if (format == 4 && platform == Windows && encoding == 1)
        return 2;
    if (format == 4 && platform == Unicode)
        return 3;
    if (format == 4 && platform == Windows && encoding == 0)
        return 4;
    return -1;
}

} // namespace

TrueTypeCharacterMap::TrueTypeCharacterMap(const TrueTypeReader &cmap, int glyphCount)
    : m_glyphCount(glyphCount), m_bmp(BmpSize, 0)
{
    const Subtable subtable = bestSubtable(cmap);
    if (subtable.format == 12)
        readFormat12(cmap, subtable.offset);
    else
        readFormat4(cmap, subtable.offset);
    if (subtable.symbol)
        addSymbolAliases();
}

TrueTypeCharacterMap::Subtable TrueTypeCharacterMap::bestSubtable(const TrueTypeReader &cmap) const
{
    Subtable best;
    int bestPreference = -1;
    const int count = cmap.u16(2);
    for (int i = 0; i < count; ++i) {
        const qint64 record = 4 + 8 * qint64(i);
        const int platform = cmap.u16(record);
        const int encoding = cmap.u16(record + 2);
        const qint64 offset = cmap.u32(record + 4);
        const int format = cmap.u16(offset);
        const int rank = preference(platform, encoding, format);
        if (rank >= 0 && (bestPreference < 0 || rank < bestPreference)) {
            bestPreference = rank;
            best = {offset, format, platform == Windows && encoding == 0};
        }
    }
    if (bestPreference < 0)
        cmap.fail(QStringLiteral("no té cap taula de caràcters Unicode"));
    return best;
}

// Segments are meant to be sorted and apart; a character is taken from the
// first segment that covers it, which also keeps hostile overlapping
// segments from costing more than one pass over the plane.
void TrueTypeCharacterMap::readFormat4(const TrueTypeReader &cmap, qint64 offset)
{
    const int segmentCount = cmap.u16(offset + 6) / 2;
    if (segmentCount == 0)
        cmap.fail(QStringLiteral("la taula de caràcters no té cap segment"));
    const qint64 ends = offset + 14;
    const qint64 starts = ends + 2 * segmentCount + 2;
    const qint64 deltas = starts + 2 * segmentCount;
    const qint64 rangeOffsets = deltas + 2 * segmentCount;
    cmap.bytes(ends, rangeOffsets + 2 * segmentCount - ends);

    char32_t next = 0;
    for (int i = 0; i < segmentCount; ++i) {
        const char32_t last = cmap.u16(ends + 2 * i);
        const char32_t first = cmap.u16(starts + 2 * i);
        const quint16 delta = cmap.u16(deltas + 2 * i);
        const qint64 rangeOffsetAt = rangeOffsets + 2 * i;
        const int rangeOffset = cmap.u16(rangeOffsetAt);
        for (char32_t c = std::max(first, next); c <= last; ++c) {
            quint16 glyph = 0;
            if (rangeOffset == 0) {
                glyph = quint16(c + delta);
            } else {
                const qint64 at = rangeOffsetAt + rangeOffset + 2 * qint64(c - first);
                glyph = cmap.contains(at, 2) ? cmap.u16(at) : 0;
                if (glyph != 0)
                    glyph = quint16(glyph + delta);
            }
            m_bmp[c] = validGlyph(glyph);
        }
        next = std::max<char32_t>(next, last + 1);
    }
}

void TrueTypeCharacterMap::readFormat12(const TrueTypeReader &cmap, qint64 offset)
{
    const qint64 groupCount = cmap.u32(offset + 12);
    const qint64 groups = offset + 16;
    cmap.bytes(groups, 12 * groupCount);

    constexpr char32_t lastCharacter = 0x10FFFF;
    char32_t next = 0;
    for (qint64 i = 0; i < groupCount; ++i) {
        const qint64 group = groups + 12 * i;
        const char32_t first = cmap.u32(group);
        const char32_t last = std::min<char32_t>(cmap.u32(group + 4), lastCharacter);
        const quint64 firstGlyph = cmap.u32(group + 8);
        const char32_t from = std::max(first, next);
        if (from > last)
            continue;
        for (char32_t c = from; c <= std::min<char32_t>(last, BmpSize - 1); ++c)
            m_bmp[c] = validGlyph(firstGlyph + (c - first));
        if (last >= BmpSize) {
            const char32_t rangeFirst = std::max(from, BmpSize);
            m_supplementary.push_back({rangeFirst, last, quint32(firstGlyph + (rangeFirst - first))});
        }
        next = last + 1;
    }
}

// Symbol fonts place their glyphs at U+F000 + the byte a text holds.
void TrueTypeCharacterMap::addSymbolAliases()
{
    for (char32_t c = 0x20; c <= 0xFF; ++c) {
        if (m_bmp[c] == 0)
            m_bmp[c] = m_bmp[0xF000 + c];
    }
}

quint16 TrueTypeCharacterMap::supplementaryGlyph(char32_t character) const
{
    const auto after = std::upper_bound(m_supplementary.begin(), m_supplementary.end(), character,
                                        [](char32_t c, const Range &range) { return c < range.first; });
    if (after == m_supplementary.begin())
        return 0;
    const Range &range = *std::prev(after);
    if (character > range.last)
        return 0;
    return validGlyph(quint64(range.firstGlyph) + (character - range.first));
}

} // namespace velmora
