#pragma once

#include "engine/pdf/TrueTypeReader.h"

#include <QtGlobal>

#include <vector>

namespace velmora {

/// The Unicode character map of a font ('cmap'), turned into a lookup as
/// fast as an array index: every character of the Basic Multilingual Plane
/// has its slot, the rest are ranges searched by halves. Reads a format 12
/// subtable (all of Unicode) in preference to a format 4 one (the BMP), and
/// a symbol font's (3,0) map as its Latin-1 range.
class TrueTypeCharacterMap {
public:
    /// `cmap` reads the table alone; glyphs from `glyphCount` on map to 0.
    TrueTypeCharacterMap(const TrueTypeReader &cmap, int glyphCount);

    quint16 glyphFor(char32_t character) const
    {
        return character < BmpSize ? m_bmp[character] : supplementaryGlyph(character);
    }

private:
    static constexpr char32_t BmpSize = 0x10000;

    struct Range {
        char32_t first = 0;
        char32_t last = 0;
        quint32 firstGlyph = 0;
    };

    struct Subtable {
        qint64 offset = -1;
        int format = 0;
        bool symbol = false;
    };

    Subtable bestSubtable(const TrueTypeReader &cmap) const;
    void readFormat4(const TrueTypeReader &cmap, qint64 offset);
    void readFormat12(const TrueTypeReader &cmap, qint64 offset);
    void addSymbolAliases();
    quint16 validGlyph(quint64 glyph) const { return glyph < quint64(m_glyphCount) ? quint16(glyph) : 0; }
    quint16 supplementaryGlyph(char32_t character) const;

    int m_glyphCount = 0;
    std::vector<quint16> m_bmp;
    std::vector<Range> m_supplementary; ///< sorted, not overlapping
};

} // namespace velmora
