#include "engine/pdf/TrueTypeHorizontalMetrics.h"

namespace velmora {

TrueTypeHorizontalMetrics::TrueTypeHorizontalMetrics(const TrueTypeReader &hmtx, int longMetricCount,
                                                     int glyphCount)
    : m_advances(glyphCount), m_leftBearings(glyphCount)
{
    if (longMetricCount < 1 || longMetricCount > glyphCount)
        hmtx.fail(QStringLiteral("el nombre d'amplades de la taula «hhea» no és vàlid"));
    for (int glyph = 0; glyph < longMetricCount; ++glyph) {
        m_advances[glyph] = hmtx.u16(4 * qint64(glyph));
        m_leftBearings[glyph] = hmtx.i16(4 * qint64(glyph) + 2);
    }
    // Some fonts leave out the bearings of the trailing glyphs; their
    // outlines still say where they start.
    const qint64 bearings = 4 * qint64(longMetricCount);
    for (int glyph = longMetricCount; glyph < glyphCount; ++glyph) {
        const qint64 at = bearings + 2 * qint64(glyph - longMetricCount);
        m_advances[glyph] = m_advances[longMetricCount - 1];
        m_leftBearings[glyph] = hmtx.contains(at, 2) ? hmtx.i16(at) : 0;
    }
}

} // namespace velmora
