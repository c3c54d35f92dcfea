#include "engine/writers/CairoPagePainter.h"

#include <QImage>

#include <memory>

namespace velmora {

namespace {

struct GlyphsDeleter {
    void operator()(cairo_glyph_t *glyphs) const { cairo_glyph_free(glyphs); }
};
struct ClustersDeleter {
    void operator()(cairo_text_cluster_t *clusters) const { cairo_text_cluster_free(clusters); }
};
struct SurfaceDeleter {
    void operator()(cairo_surface_t *surface) const { cairo_surface_destroy(surface); }
};

/// One run of text shaped at the origin, ready to be moved into place.
struct ShapedRun {
    cairo_font_face_t *face = nullptr;
    const QByteArray *utf8 = nullptr;
    std::unique_ptr<cairo_glyph_t, GlyphsDeleter> glyphs;
    int glyphCount = 0;
    std::unique_ptr<cairo_text_cluster_t, ClustersDeleter> clusters;
    int clusterCount = 0;
    cairo_text_cluster_flags_t clusterFlags{};
    double advance = 0;
};

ShapedRun shape(cairo_t *cr, const CairoFontCache::Run &run)
{
    ShapedRun shaped;
    shaped.face = run.face;
    shaped.utf8 = &run.utf8;
    cairo_set_font_face(cr, run.face);
    cairo_scaled_font_t *font = cairo_get_scaled_font(cr);
    cairo_glyph_t *glyphs = nullptr;
    cairo_text_cluster_t *clusters = nullptr;
    if (cairo_scaled_font_text_to_glyphs(font, 0, 0, run.utf8.constData(), int(run.utf8.size()),
                                         &glyphs, &shaped.glyphCount, &clusters,
                                         &shaped.clusterCount, &shaped.clusterFlags)
        != CAIRO_STATUS_SUCCESS)
        return shaped;
    shaped.glyphs.reset(glyphs);
    shaped.clusters.reset(clusters);
    cairo_text_extents_t extents;
    cairo_scaled_font_glyph_extents(font, glyphs, shaped.glyphCount, &extents);
    shaped.advance = extents.x_advance;
    return shaped;
}

void setColor(cairo_t *cr, QRgb color)
{
    cairo_set_source_rgb(cr, qRed(color) / 255.0, qGreen(color) / 255.0, qBlue(color) / 255.0);
}

double pointsOf(Twips twips)
{
    return twips / twipsPerPoint;
}

void setDash(cairo_t *cr, LineStyle style, double width)
{
    const double dash[] = {3 * width, 2 * width};
    const double dot[] = {width, width};
    switch (style) {
    case LineStyle::Solid:
        cairo_set_dash(cr, nullptr, 0, 0);
        break;
    case LineStyle::Dash:
        cairo_set_dash(cr, dash, 2, 0);
        break;
    case LineStyle::Dot:
        cairo_set_dash(cr, dot, 2, 0);
        break;
    }
}

double startX(const TextItem &text, double advance)
{
    const double left = pointsOf(text.box.left());
    const double width = pointsOf(text.box.width());
    switch (text.alignment) {
    case HorizontalAlignment::Right:
        return left + width - advance;
    case HorizontalAlignment::Center:
        return left + (width - advance) / 2;
    case HorizontalAlignment::Left:
    case HorizontalAlignment::Justify:
        break;
    }
    return left;
}

void strokeDecoration(cairo_t *cr, double x, double y, double width, double thickness)
{
    cairo_set_line_width(cr, thickness);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + width, y);
    cairo_stroke(cr);
}

} // namespace

void CairoPagePainter::paint(cairo_t *cr, const Page &page)
{
    for (const PageItem &item : page.items) {
        std::visit(
            [&](const auto &element) {
                using T = std::decay_t<decltype(element)>;
                if constexpr (std::is_same_v<T, TextItem>)
                    paintText(cr, element);
                else if constexpr (std::is_same_v<T, LineItem>)
                    paintLine(cr, element);
                else if constexpr (std::is_same_v<T, BoxItem>)
                    paintBox(cr, element);
                else
                    paintPicture(cr, element);
            },
            item);
    }
}

void CairoPagePainter::paintText(cairo_t *cr, const TextItem &text)
{
    if (text.text.isEmpty())
        return;
    const double size = text.font.pointSize > 0 ? text.font.pointSize : 10.0;
    cairo_set_font_size(cr, size);
    const std::vector<CairoFontCache::Run> runs = m_fonts.runs(text.font, text.text);
    std::vector<ShapedRun> shaped;
    shaped.reserve(runs.size());
    double advance = 0;
    for (const CairoFontCache::Run &run : runs) {
        shaped.push_back(shape(cr, run));
        advance += shaped.back().advance;
    }

    setColor(cr, text.color);
    const double baseline = pointsOf(text.box.top() + text.baseline);
    const double left = startX(text, advance);
    double x = left;
    for (ShapedRun &run : shaped) {
        for (int i = 0; i < run.glyphCount; ++i) {
            run.glyphs.get()[i].x += x;
            run.glyphs.get()[i].y += baseline;
        }
        cairo_set_font_face(cr, run.face);
        cairo_show_text_glyphs(cr, run.utf8->constData(), int(run.utf8->size()), run.glyphs.get(),
                               run.glyphCount, run.clusters.get(), run.clusterCount, run.clusterFlags);
        x += run.advance;
    }
    if (text.font.underline)
        strokeDecoration(cr, left, baseline + size * 0.12, advance, size * 0.06);
    if (text.font.strikeOut)
        strokeDecoration(cr, left, baseline - size * 0.28, advance, size * 0.06);
}

void CairoPagePainter::paintLine(cairo_t *cr, const LineItem &line)
{
    if (line.width <= 0)
        return;
    const double width = pointsOf(line.width);
    setColor(cr, line.color);
    cairo_set_line_width(cr, width);
    setDash(cr, line.style, width);
    cairo_move_to(cr, pointsOf(line.from.x()), pointsOf(line.from.y()));
    cairo_line_to(cr, pointsOf(line.to.x()), pointsOf(line.to.y()));
    cairo_stroke(cr);
}

void CairoPagePainter::paintBox(cairo_t *cr, const BoxItem &box)
{
    const QRect &r = box.rect;
    cairo_rectangle(cr, pointsOf(r.left()), pointsOf(r.top()), pointsOf(r.width()), pointsOf(r.height()));
    if (box.filled) {
        setColor(cr, box.fillColor);
        cairo_fill_preserve(cr);
    }
    if (box.borderWidth > 0) {
        const double width = pointsOf(box.borderWidth);
        setColor(cr, box.borderColor);
        cairo_set_line_width(cr, width);
        setDash(cr, box.style, width);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
}

void CairoPagePainter::paintPicture(cairo_t *cr, const PictureItem &picture)
{
    if (picture.image.isNull() || picture.rect.isEmpty())
        return;
    const QImage image = picture.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width(), image.height()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return;
    // Cairo keeps the pixels until the page is written, so they are copied
    // into a surface it owns rather than borrowed from the QImage.
    cairo_surface_flush(surface.get());
    unsigned char *target = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < image.height(); ++y)
        memcpy(target + y * stride, image.constScanLine(y), size_t(image.width()) * 4);
    cairo_surface_mark_dirty(surface.get());

    cairo_save(cr);
    const QRect &r = picture.rect;
    cairo_translate(cr, pointsOf(r.left()), pointsOf(r.top()));
    cairo_scale(cr, pointsOf(r.width()) / image.width(), pointsOf(r.height()) / image.height());
    cairo_set_source_surface(cr, surface.get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

} // namespace velmora
