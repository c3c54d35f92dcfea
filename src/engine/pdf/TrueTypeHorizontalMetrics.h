#pragma once

#include "engine/pdf/TrueTypeReader.h"

#include <QtGlobal>

#include <vector>

namespace velmora {

/// Advance width and left side bearing of every glyph ('hmtx'). Glyphs
/// past hhea's numberOfHMetrics share the last advance, as in the file.
class TrueTypeHorizontalMetrics {
public:
    /// `hmtx` reads the table alone.
    TrueTypeHorizontalMetrics(const TrueTypeReader &hmtx, int longMetricCount, int glyphCount);

    int glyphCount() const { return int(m_advances.size()); }
    int advance(quint16 glyph) const { return glyph < m_advances.size() ? m_advances[glyph] : 0; }
    int leftBearing(quint16 glyph) const { return glyph < m_leftBearings.size() ? m_leftBearings[glyph] : 0; }

private:
    std::vector<quint16> m_advances;
    std::vector<qint16> m_leftBearings;
};

} // namespace velmora
