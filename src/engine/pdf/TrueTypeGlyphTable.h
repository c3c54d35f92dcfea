#pragma once

#include "engine/pdf/TrueTypeReader.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <vector>

namespace velmora {

/// The glyph outlines of a font: where each glyph's data lies in 'glyf'
/// (from 'loca') and which glyphs a composite glyph is built from. All of
/// it is checked on construction, so later reads need no checks of their
/// own: offsets in order and inside 'glyf', every glyph long enough for its
/// header, every component record inside its glyph and naming a glyph that
/// exists.
class TrueTypeGlyphTable {
public:
    /// `longOffsets` is head's indexToLocFormat 1; the readers see the
    /// 'loca' and 'glyf' tables alone and outlive this object.
    TrueTypeGlyphTable(const TrueTypeReader &loca, const TrueTypeReader &glyf, bool longOffsets, int glyphCount);

    QByteArrayView glyphData(quint16 glyph) const;
    /// The glyphs the composite `glyph` is drawn from; none for a simple one.
    std::vector<quint16> components(quint16 glyph) const;

private:
    void readOffsets(const TrueTypeReader &loca, bool longOffsets, int glyphCount);
    void checkGlyph(quint16 glyph) const;

    TrueTypeReader m_glyf;
    std::vector<quint32> m_offsets; ///< glyph count + 1 entries
};

} // namespace velmora
