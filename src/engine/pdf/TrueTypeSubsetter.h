#pragma once

#include "engine/pdf/TrueTypeGlyphTable.h"
#include "engine/pdf/TrueTypeHorizontalMetrics.h"

#include <QByteArray>
#include <QtGlobal>

#include <map>
#include <vector>

namespace velmora {

/// Writes the subset of a font that draws some of its glyphs, under their
/// original numbers so that a PDF can name glyphs by the font's own
/// numbering. Glyphs a kept composite is built from are kept too, as is
/// glyph 0; the others stay in the numbering with no outline, and numbers
/// past the largest kept glyph are cut off.
class TrueTypeSubsetter {
public:
    /// `tables` holds the font's own head, hhea and maxp, and whichever of
    /// cvt, fpgm, prep, OS/2 and post it has; all are copied, adjusted to
    /// the new glyph count.
    TrueTypeSubsetter(const TrueTypeGlyphTable &glyphs, const TrueTypeHorizontalMetrics &metrics,
                      const std::map<quint32, QByteArray> &tables);

    QByteArray subset(const std::vector<quint16> &glyphs) const;

private:
    std::vector<bool> keptGlyphs(const std::vector<quint16> &glyphs) const;
    QByteArray horizontalMetrics(int glyphCount) const;
    QByteArray adjustedTable(quint32 tag, QByteArray data, int glyphCount) const;

    const TrueTypeGlyphTable &m_glyphs;
    const TrueTypeHorizontalMetrics &m_metrics;
    const std::map<quint32, QByteArray> &m_tables;
};

} // namespace velmora
