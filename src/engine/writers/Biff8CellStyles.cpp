#include "engine/writers/Biff8CellStyles.h"

#include "engine/render/FontResolver.h"
#include "engine/writers/Biff8Record.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velmora {

namespace {

constexpr quint16 fontType = 0x0031;
constexpr quint16 formatType = 0x041E;
constexpr quint16 xfType = 0x00E0;
constexpr quint16 styleType = 0x0293;
constexpr quint16 firstCustomFormat = 164;
constexpr int maxCellXfs = 4000;
/// Font 4 does not exist in BIFF: the index after the four default fonts.
constexpr quint16 firstCustomFont = 5;
constexpr quint8 alignBottom = 0x20;

constexpr quint16 automaticColour = 0x7FFF;
constexpr quint16 windowBackground = 0x41;
constexpr quint8 usesBorder = 0x20;
constexpr quint8 usesFill = 0x40;

bool isBlack(QRgb colour) { return (colour & 0xFFFFFFu) == 0; }

QByteArray fontRecord(const QString &family, double points, bool bold, bool italic, bool underline,
                      quint16 colour = automaticColour)
{
    return Biff8Record(fontType)
        .u16(quint16(std::lround(points * twipsPerPoint)))
        // Bit 0 repeats the weight: readers older than the weight field use it.
        .u16((bold ? 0x0001 : 0x0000) | (italic ? 0x0002 : 0x0000))
        .u16(colour)
        .u16(bold ? 700 : 400)
        .u16(0)
        .u8(underline ? 1 : 0)
        .u8(0)
        .u8(0)
        .u8(0)
        .string8(family)
        .bytes();
}

/// The border and fill fields of an XF: line styles and colours of the
/// four sides, the fill pattern and its colours.
struct XfLook {
    quint32 borders = 0;
    quint32 bordersAndPattern = 0;
    quint16 patternColours = 0x40 | (windowBackground << 7); // automatic
};

XfLook xfLook(const std::optional<QRgb> &fill, const std::array<CellEdge, 4> &edges,
              const Biff8Palette::Settled &palette)
{
    using S = CellStyle::Side;
    const auto style = [&](S side) { return quint32(edges[side].style) & 0xF; };
    const auto colour = [&](S side) { return edges[side].any() ? quint32(palette.indexOf(edges[side].colour)) : 0u; };
    XfLook look;
    look.borders = style(S::Left) | style(S::Right) << 4 | style(S::Top) << 8 | style(S::Bottom) << 12
        | colour(S::Left) << 16 | colour(S::Right) << 23;
    look.bordersAndPattern = colour(S::Top) | colour(S::Bottom) << 7;
    if (fill) {
        look.bordersAndPattern |= quint32(1) << 26; // solid
        look.patternColours = quint16(palette.indexOf(*fill) | (windowBackground << 7));
    }
    return look;
}

QByteArray xfRecord(quint16 font, quint16 format, bool isStyle, quint8 alignment, quint8 usedAttributes,
                    const XfLook &look = {})
{
    return Biff8Record(xfType)
        .u16(font)
        .u16(format)
        .u16(isStyle ? 0xFFF5 : 0x0001) // locked; style XFs have no parent
        .u8(alignment)
        .u8(0)
        .u8(0)
        .u8(usedAttributes)
        .u32(look.borders)
        .u32(look.bordersAndPattern)
        .u16(look.patternColours)
        .bytes();
}

quint8 alignmentBits(const CellStyle &style)
{
    if (!style.alignmentGiven)
        return alignBottom;
    switch (style.alignment) {
    case HorizontalAlignment::Left:
        return alignBottom | 1;
    case HorizontalAlignment::Center:
        return alignBottom | 2;
    case HorizontalAlignment::Right:
        return alignBottom | 3;
    case HorizontalAlignment::Justify:
        return alignBottom | 5;
    }
    return alignBottom;
}

} // namespace

quint16 Biff8CellStyles::fontIndex(const CellStyle &style)
{
    const FontKey key{resolvedFontFamily(style.fontFamily), style.pointSize > 0 ? style.pointSize : 10.0,
                      style.bold, style.italic, style.underline, style.fontColour & 0xFFFFFFu};
    if (!isBlack(key.colour))
        m_palette.note(key.colour);
    return m_fonts.try_emplace(key, quint16(firstCustomFont + m_fonts.size())).first->second;
}

quint16 Biff8CellStyles::formatIndex(const QString &format)
{
    if (format.isEmpty() || format.compare(u"General", Qt::CaseInsensitive) == 0)
        return 0;
    return m_formats.try_emplace(format, quint16(firstCustomFormat + m_formats.size())).first->second;
}

quint16 Biff8CellStyles::xfIndex(const CellStyle &style)
{
    if (auto found = m_xfByStyle.find(style); found != m_xfByStyle.end())
        return found->second;
    if (int(m_cellXfs.size()) >= maxCellXfs)
        return defaultXf;
    const auto index = quint16(defaultXf + 1 + m_cellXfs.size());
    m_cellXfs.push_back(CellXf{fontIndex(style), formatIndex(style.numberFormat), alignmentBits(style), style.fill,
                               style.edges});
    if (style.fill)
        m_palette.note(*style.fill);
    for (const CellEdge &edge : style.edges)
        if (edge.any())
            m_palette.note(edge.colour);
    m_xfByStyle.emplace(style, index);
    return index;
}

QByteArray Biff8CellStyles::records() const
{
    QByteArray out;
    const Biff8Palette::Settled palette = m_palette.settle();
    const QString defaultFamily = resolvedFontFamily(QStringLiteral("Arial"));
    for (int i = 0; i < 4; ++i)
        out += fontRecord(defaultFamily, 10, false, false, false);
    std::vector<FontKey> fonts(m_fonts.size());
    for (const auto &[key, index] : m_fonts)
        fonts[index - firstCustomFont] = key;
    for (const FontKey &font : fonts)
        out += fontRecord(font.family, font.pointSize, font.bold, font.italic, font.underline,
                          isBlack(font.colour) ? automaticColour : palette.indexOf(font.colour));

    std::vector<QString> formats(m_formats.size());
    for (const auto &[format, index] : m_formats)
        formats[index - firstCustomFormat] = format;
    for (size_t i = 0; i < formats.size(); ++i)
        out += Biff8Record(formatType).u16(quint16(firstCustomFormat + i)).string16(formats[i]).bytes();

    out += xfRecord(0, 0, true, alignBottom, 0x00);
    for (int i = 1; i < defaultXf; ++i)
        out += xfRecord(i < 3 ? 1 : (i < 5 ? 2 : 0), 0, true, alignBottom, 0xF4);
    out += xfRecord(0, 0, false, alignBottom, 0x00);
    for (const CellXf &xf : m_cellXfs) {
        const bool bordered = std::any_of(xf.edges.begin(), xf.edges.end(), [](const CellEdge &e) { return e.any(); });
        const quint8 used = 0x1C | (bordered ? usesBorder : 0) | (xf.fill ? usesFill : 0);
        out += xfRecord(xf.font, xf.format, false, xf.alignment, used, xfLook(xf.fill, xf.edges, palette));
    }

    out += Biff8Record(styleType).u16(0x8000).u8(0).u8(0xFF).bytes();
    out += palette.record;
    return out;
}

} // namespace velmora
