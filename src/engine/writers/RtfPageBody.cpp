#include "engine/writers/RtfPageBody.h"

#include "engine/writers/BaselineRows.h"
#include "engine/writers/ChartPicture.h"
#include "engine/writers/RtfText.h"
#include "engine/writers/TextFrameRoom.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <vector>

namespace velmora {

namespace {

/// Room wanted beside a frame so that a line measured to fit its box is not
/// wrapped by a reader whose widths differ by a hair.
constexpr Twips frameSlack = 72;
/// A line's height over its font size, and the part of it below the
/// baseline: a reader fills a line of exact height from the bottom, so the
/// baseline sits one descent above the line's foot.
constexpr double lineHeightPerPoint = 1.2 * twipsPerPoint;
constexpr double descentPerPoint = 0.212 * twipsPerPoint;

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

double pointSizeOf(const TextItem &text)
{
    return text.font.pointSize > 0 ? text.font.pointSize : 10.0;
}

/// Where a line of exact height stands for text of `points` on `baseline`.
struct LineExtent {
    Twips top = 0;
    Twips height = 0;
};

LineExtent lineExtent(Twips baseline, double points)
{
    const auto height = Twips(std::lround(points * lineHeightPerPoint));
    return {baseline - height + Twips(std::lround(points * descentPerPoint)), height};
}

struct TabStop {
    Twips position = 0;
    const char *kind = "";
};

TabStop tabStopOf(const TextItem &text)
{
    switch (text.alignment) {
    case HorizontalAlignment::Right:
        return {text.box.left() + text.box.width(), "\\tqr"};
    case HorizontalAlignment::Center:
        return {text.box.left() + text.box.width() / 2, "\\tqc"};
    case HorizontalAlignment::Left:
    case HorizontalAlignment::Justify:
        break;
    }
    return {text.box.left(), ""};
}

QByteArray lineColor(QRgb color)
{
    return "\\dplinecor" + number(qRed(color)) + "\\dplinecog" + number(qGreen(color)) + "\\dplinecob"
        + number(qBlue(color));
}

QByteArray drawingObject(const QRect &bounds, const QByteArray &shape)
{
    return "{\\*\\do\\dobxpage\\dobypage\\dodhgt0" + shape + "\\dpx" + number(bounds.left()) + "\\dpy"
        + number(bounds.top()) + "\\dpxsize" + number(bounds.width()) + "\\dpysize"
        + number(bounds.height()) + "}\n";
}

QByteArray lineObject(const LineItem &line)
{
    const QRect bounds = QRect(line.from, line.to).normalized();
    const QPoint from = line.from - bounds.topLeft();
    const QPoint to = line.to - bounds.topLeft();
    return drawingObject(bounds, "\\dpline\\dpptx" + number(from.x()) + "\\dppty" + number(from.y())
                                     + "\\dpptx" + number(to.x()) + "\\dppty" + number(to.y())
                                     + "\\dplinew" + number(line.width) + lineColor(line.color)
                                     + "\\dplinesolid");
}

QByteArray shapeProperty(const char *name, const QByteArray &value)
{
    return "{\\sp{\\sn " + QByteArray(name) + "}{\\sv " + value + "}}";
}

/// A shape placed on the page, in front of the text (or behind it) and with
/// the text running through it, so that it moves no line of the page.
QByteArray floatingShape(const QRect &place, const QByteArray &content, bool behindText = false)
{
    return "{\\shp{\\*\\shpinst\\shpleft" + number(place.left()) + "\\shptop" + number(place.top())
        + "\\shpright" + number(place.left() + place.width()) + "\\shpbottom"
        + number(place.top() + place.height())
        + "\\shpfhdr0\\shpbxpage\\shpbxignore\\shpbypage\\shpbyignore\\shpwr3\\shpwrk0\\shpfblwtxt"
        + (behindText ? "1" : "0") + "\\shpz0" + content + "}}\n";
}

/// A colour as shape properties write it: red + 256 green + 65536 blue.
QByteArray shapeColour(QRgb colour)
{
    return number(qRed(colour) + 256 * qGreen(colour) + 65536 * qBlue(colour));
}

/// A filled box (a section's or an object's background, a shaded band) as a
/// rectangle shape behind the text: as an old-style drawing object readers
/// leave its fill out and move the lines it covers.
QByteArray filledBoxShape(const BoxItem &box)
{
    constexpr int emuPerTwip = 635;
    QByteArray properties = shapeProperty("shapeType", "1") + shapeProperty("fBehindDocument", "1")
        + shapeProperty("fFilled", "1") + shapeProperty("fillColor", shapeColour(box.fillColor));
    if (box.borderWidth > 0)
        properties += shapeProperty("fLine", "1") + shapeProperty("lineColor", shapeColour(box.borderColor))
            + shapeProperty("lineWidth", number(qint64(box.borderWidth) * emuPerTwip));
    else
        properties += shapeProperty("fLine", "0");
    return floatingShape(box.rect.normalized(), properties, true);
}

QByteArray boxObject(const BoxItem &box)
{
    if (box.filled)
        return filledBoxShape(box);
    QByteArray shape = "\\dprect";
    shape += box.borderWidth > 0 ? "\\dplinew" + number(box.borderWidth) + lineColor(box.borderColor)
                                       + "\\dplinesolid"
                                 : QByteArray("\\dplinehollow");
    return drawingObject(box.rect.normalized(), shape + "\\dpfillpat0");
}

QByteArray alignmentKeyword(HorizontalAlignment alignment)
{
    switch (alignment) {
    case HorizontalAlignment::Right:
        return "\\qr";
    case HorizontalAlignment::Center:
        return "\\qc";
    case HorizontalAlignment::Justify:
    case HorizontalAlignment::Left:
        break;
    }
    return "\\ql";
}

} // namespace

QByteArray RtfPageBody::run(const TextItem &text)
{
    QByteArray format = "\\f" + number(m_tables.fontIndex(text.font.family)) + "\\fs"
        + number(std::lround(pointSizeOf(text) * 2)) + "\\cf" + number(m_tables.colorIndex(text.color));
    if (text.font.bold)
        format += "\\b";
    if (text.font.italic)
        format += "\\i";
    if (text.font.underline)
        format += "\\ul";
    if (text.font.strikeOut)
        format += "\\strike";
    QString shown = text.text;
    shown.replace(u'\t', u' ');
    const QByteArray styled = '{' + format + ' ' + RtfText::escaped(shown) + '}';
    if (text.link.isEmpty())
        return styled;
    // The address is percent-encoded, so it holds no quote to end the field's argument.
    return "{\\field{\\*\\fldinst HYPERLINK \"" + RtfText::escaped(text.link) + "\"}{\\fldrslt " + styled + "}}";
}

QByteArray RtfPageBody::textShape(const TextItem &text, Twips leftRoom, Twips rightRoom)
{
    const LineExtent line = lineExtent(text.box.top() + text.baseline, pointSizeOf(text));
    const int lineHeight = line.height;
    const int top = std::max(0, line.top);
    const int left = std::max(0, text.box.left() - leftRoom);
    const int right = text.box.left() + text.box.width() + rightRoom;
    // A text box without line, fill or insets.
    return floatingShape(QRect(QPoint(left, top), QPoint(right - 1, top + lineHeight - 1)),
                         shapeProperty("shapeType", "202") + shapeProperty("fFilled", "0")
                             + shapeProperty("fLine", "0") + shapeProperty("dxTextLeft", "0")
                             + shapeProperty("dyTextTop", "0") + shapeProperty("dxTextRight", "0")
                             + shapeProperty("dyTextBottom", "0") + "{\\shptxt\\pard\\plain\\sl-"
                             + number(lineHeight) + "\\slmult0" + alignmentKeyword(text.alignment) + run(text)
                             + "\\par}");
}

QByteArray RtfPageBody::pictureShape(const PictureItem &picture)
{
    QByteArray &hex = m_pictureHex[picture.image.cacheKey()];
    if (hex.isEmpty()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.image.save(&buffer, "PNG");
        hex = png.toHex();
    }
    const QRect &r = picture.rect;
    const QByteArray pict = "{\\pict\\pngblip\\picw" + number(picture.image.width()) + "\\pich"
        + number(picture.image.height()) + "\\picwgoal" + number(r.width()) + "\\pichgoal" + number(r.height())
        + '\n' + hex + '}';
    return floatingShape(r, shapeProperty("shapeType", "75") + shapeProperty("pib", pict));
}

QByteArray RtfPageBody::rowParagraph(const BaselineRows::Row &row, QByteArray &shapes, Twips &flowBottom)
{
    QByteArray stops;
    QByteArray runs;
    Twips lastStop = 0;
    Twips lastBoxEnd = -1; // a text may fill its box: the next starts after it
    double points = 0;
    for (size_t index = 0; index < row.items.size(); ++index) {
        const TextItem *text = row.items[index];
        const TabStop stop = tabStopOf(*text);
        if (stop.position <= lastStop || text->box.left() <= lastBoxEnd) {
            const TextFrameRoom room = TextFrameRoom::within(row, index, frameSlack);
            shapes += textShape(*text, room.left, room.right);
            continue;
        }
        stops += stop.kind + QByteArray("\\tx") + number(stop.position);
        runs += "\\tab" + run(*text);
        lastStop = stop.position;
        lastBoxEnd = text->box.right();
        points = std::max(points, pointSizeOf(*text));
    }
    if (runs.isEmpty())
        return {};
    const LineExtent line = lineExtent(row.baseline, points);
    const Twips spaceBefore = std::max(0, line.top - flowBottom);
    flowBottom += spaceBefore + line.height;
    return "{\\pard\\plain\\sb" + number(spaceBefore) + "\\sa0\\sl-" + number(line.height) + "\\slmult0" + stops
        + ' ' + runs + "\\par}\n";
}

QByteArray RtfPageBody::of(const Page &page)
{
    QByteArray shapes;
    // Word draws no figures of ours: a chart goes in as a picture of its
    // drawing, its words as text like any other.
    const ChartPictures charts(page);
    size_t nextChart = 0;
    for (const PageItem &item : page.items) {
        if (std::holds_alternative<ChartValuesItem>(item) && nextChart < charts.pictures().size()) {
            const PictureItem &chart = charts.pictures()[nextChart++];
            if (!chart.rect.isEmpty())
                shapes += pictureShape(chart);
        }
        if (charts.drawnInPicture(item))
            continue;
        if (const auto *picture = std::get_if<PictureItem>(&item);
            picture && !picture->image.isNull() && !picture->rect.isEmpty())
            shapes += pictureShape(*picture);
        else if (const auto *line = std::get_if<LineItem>(&item))
            shapes += lineObject(*line);
        else if (const auto *box = std::get_if<BoxItem>(&item))
            shapes += boxObject(*box);
    }
    Twips flowBottom = 1; // below the opening paragraph
    QByteArray lines;
    const std::optional<Page> withoutCharts = charts.any() ? std::optional<Page>(charts.withoutCharts(page)) : std::nullopt;
    for (const BaselineRows::Row &row : BaselineRows::of(withoutCharts ? *withoutCharts : page))
        lines += rowParagraph(row, shapes, flowBottom);
    // The page opens with a paragraph one twip high holding the shapes and
    // drawings: a reader lets a text box in a line of text push that line
    // down, so no line of text holds one.
    return "{\\pard\\plain\\sl-1\\slmult0\\fs2 " + shapes + "\\par}\n" + lines;
}

} // namespace velmora
