#pragma once

#include "engine/page/Page.h"
#include "engine/writers/CairoFontCache.h"

#include <cairo.h>

namespace velmora {

/// Paints one page of the page model on a cairo context whose user space is
/// the page in points (top-left origin), as the PDF surface gives it: text
/// through CairoFontCache (real text with its characters, so it copies and
/// searches), lines with their dash style, boxes filled and bordered,
/// pictures scaled into their rectangles. Text is aligned inside its box by
/// its unhinted advance widths, like the layout measured it.
/// Limits: justified text is drawn left aligned (the layout has already
/// broken it into lines); underline and strike-out are drawn at fixed
/// proportions of the font size, not from the font's own metrics.
class CairoPagePainter {
public:
    explicit CairoPagePainter(CairoFontCache &fonts) : m_fonts(fonts) {}

    void paint(cairo_t *cr, const Page &page);

private:
    void paintText(cairo_t *cr, const TextItem &text);
    void paintLine(cairo_t *cr, const LineItem &line);
    void paintBox(cairo_t *cr, const BoxItem &box);
    void paintPicture(cairo_t *cr, const PictureItem &picture);

    CairoFontCache &m_fonts;
};

} // namespace velmora
