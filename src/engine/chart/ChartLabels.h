#pragma once

#include "engine/chart/ChartTextMetrics.h"

#include <vector>

namespace velmora {

/// Room kept between two labels side by side.
constexpr Twips labelGap = 90;

/// `text` cut with an ellipsis to fit `width` (the text itself when it fits;
/// the ellipsis alone when nothing else does).
QString elidedLabel(ChartTextMetrics &metrics, const FontSpec &font, const QString &text, Twips width);

/// Shows every `stride`-th of labels `widths` wide whose centres stand
/// `spacing` apart: the smallest stride at which no two shown labels
/// overlap (with `labelGap` between them).
int labelStride(const std::vector<Twips> &widths, double spacing);

/// A line of text in `box`, its baseline where the font puts it.
TextItem chartText(ChartTextMetrics &metrics, const QRect &box, const QString &text, const FontSpec &font,
                   QRgb colour, HorizontalAlignment alignment);

/// A line of text as wide as it is, centred on `centreX` (kept inside
/// `left`..`right`), its top at `top`.
TextItem centredText(ChartTextMetrics &metrics, double centreX, Twips top, const QString &text,
                     const FontSpec &font, QRgb colour, Twips left, Twips right);

} // namespace velmora
