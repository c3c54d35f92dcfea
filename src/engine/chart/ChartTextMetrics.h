#pragma once

#include "engine/page/Page.h"

namespace velmora {

/// How the chart measures its words: the layout lends it the measurer that
/// every output's text is measured with, so labels fit on paper as on screen.
class ChartTextMetrics {
public:
    virtual ~ChartTextMetrics() = default;
    virtual Twips width(const FontSpec &font, const QString &text) = 0;
    virtual Twips lineHeight(const FontSpec &font) = 0;
    virtual Twips ascent(const FontSpec &font) = 0;
};

} // namespace velmora
