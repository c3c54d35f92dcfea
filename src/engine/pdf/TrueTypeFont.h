#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace velmora {

/// A TrueType font file (glyph outlines in a 'glyf' table), read for what a
/// PDF writer needs: the glyph of each character, advance widths, the
/// metrics of a font descriptor, and subsets to embed. Faces of a collection
/// (.ttc) are read by index. Every offset in the file is checked: a damaged
/// or hostile file fails, never reads outside the data.
class TrueTypeFont {
public:
    struct Metrics {
        int unitsPerEm = 1000;
        int ascent = 0;      ///< font units, above the baseline (positive)
        int descent = 0;     ///< font units, below the baseline (negative)
        int capHeight = 0;   ///< font units; the ascent when the font has none
        int xMin = 0, yMin = 0, xMax = 0, yMax = 0; ///< bounding box of all glyphs
        double italicAngle = 0; ///< degrees, counter-clockwise from vertical
        int weight = 400;    ///< 100-900
        bool fixedPitch = false;
        bool serif = false;
        bool italic = false;
    };

    /// Reads face `faceIndex` of the file at `path`. Throws Failure
    /// (ExportErrors::FontUnavailable) naming the file when it cannot be read
    /// or is not a TrueType font with outlines.
    static std::shared_ptr<const TrueTypeFont> load(const QString &path, int faceIndex = 0);
    /// The same from bytes already read; `name` is used in failures only.
    static std::shared_ptr<const TrueTypeFont> fromData(QByteArray data, int faceIndex, const QString &name);

    int glyphCount() const;
    /// The glyph drawing `character` through the font's Unicode character
    /// map; 0 (the missing-glyph box) when the font has none.
    quint16 glyphFor(char32_t character) const;
    /// Advance width of a glyph in font units (0 for a glyph out of range).
    int advanceWidth(quint16 glyph) const;
    const Metrics &metrics() const;

    /// A standalone TrueType font holding the outlines of `glyphs`, of the
    /// glyphs their composite glyphs are built from, and of glyph 0, under
    /// their original glyph numbers; every other glyph is empty. It keeps
    /// the tables a PDF reader needs to draw an embedded font (head, hhea,
    /// maxp, hmtx, loca, glyf, and cvt, fpgm, prep, OS/2 and post when the
    /// font has them) and drops the rest. Glyph numbers past the largest one
    /// kept are cut off.
    QByteArray subset(const std::vector<quint16> &glyphs) const;

    ~TrueTypeFont();

private:
    TrueTypeFont();
    struct Tables;
    std::unique_ptr<Tables> m_tables;
};

} // namespace velmora
