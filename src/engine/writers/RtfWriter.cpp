#include "engine/writers/RtfWriter.h"

#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/PageStream.h"
#include "engine/writers/RtfStyleTables.h"
#include "engine/writers/RtfText.h"
#include "engine/writers/SpoolFile.h"
#include "engine/writers/TextFrameRoom.h"

#include <QBuffer>

#include <algorithm>
#include <cmath>
#include <map>

namespace velmora {

namespace {

/// Room wanted beside a frame so that a line measured to fit its box is not
/// wrapped by a reader whose widths differ by a hair.
constexpr int frameSlack = 72;

/// Pictures as the hex of their PNG encoding, made once per picture even
/// when every page shows it.
using EncodedPictures = std::map<qint64, QByteArray>;

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

QSize paperSize(const Page &page)
{
    return page.size.isValid() && !page.size.isEmpty() ? page.size : Page().size;
}

QByteArray sectionStart(const Page &page)
{
    const QSize size = paperSize(page);
    QByteArray section = "\\sectd\\pgwsxn" + number(size.width()) + "\\pghsxn" + number(size.height())
        + "\\marglsxn0\\margrsxn0\\margtsxn0\\margbsxn0";
    if (size.width() > size.height())
        section += "\\lndscpsxn";
    return section + '\n';
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

QByteArray characterFormat(const TextItem &text, RtfStyleTables &tables)
{
    const double points = text.font.pointSize > 0 ? text.font.pointSize : 10.0;
    QByteArray format = "\\f" + number(tables.fontIndex(text.font.family)) + "\\fs"
        + number(std::lround(points * 2)) + "\\cf" + number(tables.colorIndex(text.color));
    if (text.font.bold)
        format += "\\b";
    if (text.font.italic)
        format += "\\i";
    if (text.font.underline)
        format += "\\ul";
    if (text.font.strikeOut)
        format += "\\strike";
    return format;
}

QByteArray textFrame(const TextItem &text, TextFrameRoom room, RtfStyleTables &tables)
{
    const double points = text.font.pointSize > 0 ? text.font.pointSize : 10.0;
    // A reader puts the first baseline about one ascent below the frame top.
    const int ascent = int(std::lround(points * twipsPerPoint * 0.9));
    const int lineHeight = int(std::lround(points * twipsPerPoint * 1.2));
    const int left = std::max(0, text.box.left() - room.left);
    const int right = text.box.left() + text.box.width() + room.right;
    const int top = std::max(0, text.box.top() + text.baseline - ascent);
    return "{\\pard\\plain\\pvpg\\phpg\\posx" + number(left) + "\\posy" + number(top)
        + "\\absw" + number(right - left) + "\\absh-" + number(lineHeight)
        + "\\dfrmtxtx0\\dfrmtxty0\\nowrap\\sb0\\sa0" + alignmentKeyword(text.alignment)
        + characterFormat(text, tables) + ' ' + RtfText::escaped(text.text) + "\\par}\n";
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

QByteArray boxObject(const BoxItem &box)
{
    QByteArray shape = "\\dprect";
    shape += box.borderWidth > 0 ? "\\dplinew" + number(box.borderWidth) + lineColor(box.borderColor)
                                       + "\\dplinesolid"
                                 : QByteArray("\\dplinehollow");
    if (box.filled) {
        shape += "\\dpfillfgcr" + number(qRed(box.fillColor)) + "\\dpfillfgcg"
            + number(qGreen(box.fillColor)) + "\\dpfillfgcb" + number(qBlue(box.fillColor))
            + "\\dpfillpat1";
    } else {
        shape += "\\dpfillpat0";
    }
    return drawingObject(box.rect.normalized(), shape);
}

QByteArray pictureFrame(const PictureItem &picture, EncodedPictures &encoded)
{
    QByteArray &hex = encoded[picture.image.cacheKey()];
    if (hex.isEmpty()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.image.save(&buffer, "PNG");
        hex = png.toHex();
    }
    const QRect &r = picture.rect;
    return "{\\pard\\plain\\pvpg\\phpg\\posx" + number(r.left()) + "\\posy" + number(r.top()) + "\\absw"
        + number(r.width()) + "\\absh-" + number(r.height()) + "\\dfrmtxtx0\\dfrmtxty0\\sb0\\sa0"
        + "{\\pict\\pngblip\\picw" + number(picture.image.width()) + "\\pich" + number(picture.image.height())
        + "\\picwgoal" + number(r.width()) + "\\pichgoal" + number(r.height()) + '\n' + hex + "}\\par}\n";
}

QByteArray pageBody(const Page &page, RtfStyleTables &tables, EncodedPictures &pictures)
{
    const std::unordered_map<const TextItem *, TextFrameRoom> rooms = TextFrameRoom::of(page, frameSlack);
    QByteArray frames;
    QByteArray drawings;
    for (const PageItem &item : page.items) {
        if (const auto *text = std::get_if<TextItem>(&item); text && !text->text.isEmpty())
            frames += textFrame(*text, rooms.at(text), tables);
        else if (const auto *picture = std::get_if<PictureItem>(&item);
                 picture && !picture->image.isNull() && !picture->rect.isEmpty())
            frames += pictureFrame(*picture, pictures);
        else if (const auto *line = std::get_if<LineItem>(&item))
            drawings += lineObject(*line);
        else if (const auto *box = std::get_if<BoxItem>(&item))
            drawings += boxObject(*box);
    }
    // The frames and drawings belong to the page of the paragraph that
    // follows them, which keeps each on its own page.
    return frames + "\\pard\\plain\\fs2 " + drawings + "\\par\n";
}

QByteArray documentHead(const QString &title, const RtfStyleTables &tables, QSize paper)
{
    QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n" + tables.fontTable() + tables.colorTable();
    head += "{\\info";
    if (!title.isEmpty())
        head += "{\\title " + RtfText::escaped(title) + '}';
    head += "{\\doccomm Velmora}}\n";
    head += "\\paperw" + number(paper.width()) + "\\paperh" + number(paper.height())
        + "\\margl0\\margr0\\margt0\\margb0\n";
    return head;
}

} // namespace

RtfWriter::RtfWriter(QString title) : m_title(std::move(title)) {}

void RtfWriter::write(PageSource &pages, AtomicFileWriter &file, const CancelToken &cancel,
                      const ProgressCallback &progress) const
{
    RtfStyleTables tables;
    EncodedPictures pictures;
    SpoolFile body;
    QSize firstPaper = Page().size;
    PageStream::forEachPage(pages, cancel, progress, [&](const Page &page, int index) {
        if (index == 0)
            firstPaper = paperSize(page);
        const QByteArray section = (index > 0 ? QByteArray("\\sect") : QByteArray())
            + sectionStart(page) + pageBody(page, tables, pictures);
        body.write(section);
    });
    file.write(documentHead(m_title, tables, firstPaper));
    body.copyTo(file);
    file.write("}\n");
}

} // namespace velmora
