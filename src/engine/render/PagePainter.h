#pragma once

#include "engine/page/Page.h"

class QPainter;

namespace velmora {

/// Paints laid-out pages with QPainter for every device alike: the screen
/// at any zoom, the printer, an image. The painter's origin is the page's
/// top-left corner; `deviceUnitsPerTwip` is the scale (1/15 for 96 dpi at
/// 100 %). The paper itself is not filled: the caller decides the
/// background (white on screen, nothing on paper).
///
/// Text is drawn in a twips coordinate system, so its lines and widths do
/// not change with the scale. Text is clipped to its box, as a field is.
/// Justified lines are drawn left-aligned: the layout has already broken
/// them, and stretching single lines would misplace the last line of a
/// paragraph.
class PagePainter {
public:
    static void paint(QPainter &painter, const Page &page, double deviceUnitsPerTwip);
};

} // namespace velmora
