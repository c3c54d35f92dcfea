#include "engine/pdf/PdfPageContent.h"

#include "engine/pdf/PdfImageSet.h"
#include "engine/pdf/PdfSyntax.h"

#include <cmath>

namespace velmora::pdf {

namespace {

void appendColor(QByteArray &out, QRgb color, const char *operatorName)
{
    for (int component : {qRed(color), qGreen(color), qBlue(color)}) {
        appendNumber(out, component / 255.0);
        out.append(' ');
    }
    out.append(operatorName);
    out.append('\n');
}

double horizontalStart(const TextItem &text, double width)
{
    const double left = text.box.left() / twipsPerPoint;
    const double room = text.box.width() / twipsPerPoint;
    switch (text.alignment) {
    case HorizontalAlignment::Right:
        return left + room - width;
    case HorizontalAlignment::Center:
        return left + (room - width) / 2;
    case HorizontalAlignment::Left:
    case HorizontalAlignment::Justify:
        break;
    }
    return left;
}

} // namespace

const QByteArray &PdfPageContent::build(const Page &page, Twips pageHeight)
{
    m_out.resize(0);
    m_pageHeight = pageHeight;
    m_inText = false;
    m_font = nullptr;
    m_fill.reset();
    m_stroke.reset();
    m_pen.reset();
    for (const PageItem &item : page.items) {
        std::visit(
            [&](const auto &element) {
                using T = std::decay_t<decltype(element)>;
                if constexpr (std::is_same_v<T, TextItem>)
                    text(element);
                else if constexpr (std::is_same_v<T, LineItem>)
                    line(element);
                else if constexpr (std::is_same_v<T, BoxItem>)
                    box(element);
                else if constexpr (std::is_same_v<T, PictureItem>)
                    picture(element);
                else if constexpr (std::is_same_v<T, PathItem>)
                    path(element);
                // A chart's table of values is for outputs that cannot draw.
            },
            item);
    }
    endText();
    return m_out;
}

void PdfPageContent::point(double xPoints, double yPoints)
{
    appendNumber(m_out, xPoints);
    m_out.append(' ');
    appendNumber(m_out, yPoints);
    m_out.append(' ');
}

void PdfPageContent::beginText()
{
    if (m_inText)
        return;
    m_out.append("BT\n");
    m_inText = true;
    m_lineX = m_lineY = 0;
}

void PdfPageContent::endText()
{
    if (!m_inText)
        return;
    m_out.append("ET\n");
    m_inText = false;
}

void PdfPageContent::setFill(QRgb color)
{
    if (m_fill != color) {
        appendColor(m_out, color, "rg");
        m_fill = color;
    }
}

void PdfPageContent::setStroke(QRgb color)
{
    if (m_stroke != color) {
        appendColor(m_out, color, "RG");
        m_stroke = color;
    }
}

void PdfPageContent::setPen(Twips width, LineStyle style)
{
    const std::pair pen{width, style};
    if (m_pen == pen)
        return;
    m_pen = pen;
    const qint64 hundredths = qint64(width) * 5;
    appendHundredths(m_out, hundredths);
    m_out.append(" w ");
    switch (style) {
    case LineStyle::Solid:
        m_out.append("[] 0 d\n");
        return;
    case LineStyle::Dash:
        m_out.append('[');
        appendHundredths(m_out, 3 * hundredths);
        m_out.append(' ');
        appendHundredths(m_out, 2 * hundredths);
        m_out.append("] 0 d\n");
        return;
    case LineStyle::Dot:
        m_out.append('[');
        appendHundredths(m_out, hundredths);
        m_out.append("] 0 d\n");
        return;
    }
}

void PdfPageContent::text(const TextItem &text)
{
    if (text.text.isEmpty())
        return;
    m_fonts.encode(text.font, text.text, m_encoded);
    const double size = text.font.pointSize > 0 ? text.font.pointSize : 10.0;
    const double width = m_encoded.widthInEm() * size;
    const double x = horizontalStart(text, width);
    const double y = pageY(text.box.top() + text.baseline);
    beginText();
    setFill(text.color);
    if (m_encoded.hasMissingGlyph) {
        // The missing-glyph box stands for no character: the text is given
        // beside it so that it still copies out whole.
        m_out.append("/Span << /ActualText ");
        m_out.append(textString(text.text));
        m_out.append(" >> BDC\n");
    }
    showRuns(size, x, y);
    if (m_encoded.hasMissingGlyph)
        m_out.append("EMC\n");
    if (text.font.underline)
        decoration(x, y - size * 0.12, width, size * 0.06, text.color);
    if (text.font.strikeOut)
        decoration(x, y + size * 0.28, width, size * 0.06, text.color);
}

void PdfPageContent::showRuns(double size, double x, double y)
{
    const qint64 lineY = std::llround(y * 100);
    for (const EncodedText::Run &run : m_encoded.runs) {
        if (run.font != m_font || size != m_fontSize) {
            m_out.append(run.font->resourceName());
            m_out.append(' ');
            appendNumber(m_out, size);
            m_out.append(" Tf\n");
            m_font = run.font;
            m_fontSize = size;
        }
        // Td moves relative to the start of the previous line; positions
        // are kept rounded so that the moves add up exactly.
        const qint64 lineX = std::llround(x * 100);
        appendHundredths(m_out, lineX - m_lineX);
        m_out.append(' ');
        appendHundredths(m_out, lineY - m_lineY);
        m_out.append(" Td <");
        m_lineX = lineX;
        m_lineY = lineY;
        appendHex16s(m_out, m_encoded.glyphs.data() + run.firstGlyph, run.glyphCount);
        m_out.append("> Tj\n");
        x += run.widthInEm * size;
    }
}

void PdfPageContent::decoration(double x, double y, double width, double thickness, QRgb color)
{
    endText();
    setStroke(color);
    m_pen.reset();
    appendNumber(m_out, thickness);
    m_out.append(" w [] 0 d ");
    point(x, y);
    m_out.append("m ");
    point(x + width, y);
    m_out.append("l S\n");
}

void PdfPageContent::line(const LineItem &line)
{
    if (line.width <= 0)
        return;
    endText();
    setStroke(line.color);
    setPen(line.width, line.style);
    point(line.from.x() / twipsPerPoint, pageY(line.from.y()));
    m_out.append("m ");
    point(line.to.x() / twipsPerPoint, pageY(line.to.y()));
    m_out.append("l S\n");
}

void PdfPageContent::path(const PathItem &path)
{
    const bool stroked = path.stroked && path.strokeWidth > 0;
    if (path.isEmpty() || (!path.filled && !stroked))
        return;
    endText();
    if (path.filled)
        setFill(path.fillColor);
    if (stroked) {
        setStroke(path.strokeColor);
        setPen(Twips(std::lround(path.strokeWidth)), LineStyle::Solid);
    }
    const auto at = [&](QPointF p) { point(p.x() / twipsPerPoint, (m_pageHeight - p.y()) / twipsPerPoint); };
    size_t next = 0;
    for (PathItem::Step step : path.steps) {
        const size_t needed = step == PathItem::Step::Curve ? 3 : step == PathItem::Step::Close ? 0 : 1;
        if (next + needed > path.points.size())
            break;
        switch (step) {
        case PathItem::Step::Move: at(path.points[next]); m_out.append("m "); break;
        case PathItem::Step::Line: at(path.points[next]); m_out.append("l "); break;
        case PathItem::Step::Curve:
            for (size_t i = 0; i < 3; ++i)
                at(path.points[next + i]);
            m_out.append("c ");
            break;
        case PathItem::Step::Close: m_out.append("h "); break;
        }
        next += needed;
    }
    // Round joins and ends for lines through points; square ones again after.
    if (stroked)
        m_out.append(path.filled ? "1 j 1 J B 0 j 0 J\n" : "1 j 1 J S 0 j 0 J\n");
    else
        m_out.append("f\n");
}

void PdfPageContent::box(const BoxItem &box)
{
    const bool stroked = box.borderWidth > 0;
    if (!box.filled && !stroked)
        return;
    endText();
    if (box.filled)
        setFill(box.fillColor);
    if (stroked) {
        setStroke(box.borderColor);
        setPen(box.borderWidth, box.style);
    }
    const QRect &r = box.rect;
    point(r.left() / twipsPerPoint, pageY(r.top() + r.height()));
    point(r.width() / twipsPerPoint, r.height() / twipsPerPoint);
    m_out.append(box.filled ? (stroked ? "re B\n" : "re f\n") : "re S\n");
}

void PdfPageContent::picture(const PictureItem &picture)
{
    if (picture.image.isNull() || picture.rect.isEmpty())
        return;
    endText();
    const QRect &r = picture.rect;
    m_out.append("q ");
    point(r.width() / twipsPerPoint, 0);
    m_out.append("0 ");
    point(r.height() / twipsPerPoint, r.left() / twipsPerPoint);
    appendNumber(m_out, pageY(r.top() + r.height()));
    m_out.append(" cm ");
    m_out.append(m_images.nameFor(picture.image));
    m_out.append(" Do Q\n");
}

} // namespace velmora::pdf
