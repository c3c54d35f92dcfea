#pragma once

#include "engine/page/Page.h"
#include "engine/writers/Biff8Palette.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <compare>
#include <map>
#include <optional>
#include <tuple>

namespace velmora {

/// One side of a cell's border.
struct CellEdge {
    enum class Style : quint8 { None = 0, Thin = 1, Medium = 2, Dashed = 3, Dotted = 4, Thick = 5 };
    Style style = Style::None;
    QRgb colour = qRgb(0, 0, 0);
    bool any() const { return style != Style::None; }
    auto operator<=>(const CellEdge &) const = default;
};

/// How one cell looks: its font, number format, horizontal alignment,
/// font colour, fill and border.
struct CellStyle {
    enum Side { Left, Top, Right, Bottom };

    QString fontFamily = QStringLiteral("Arial"); ///< as the report names it
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QString numberFormat; ///< Excel's format text; empty = General
    HorizontalAlignment alignment = HorizontalAlignment::Left;
    bool alignmentGiven = false; ///< false: Excel's general alignment
    QRgb fontColour = qRgb(0, 0, 0); ///< black is written as Excel's automatic colour
    std::optional<QRgb> fill;        ///< a solid background
    std::array<CellEdge, 4> edges{}; ///< by Side

    auto key() const
    {
        return std::tie(fontFamily, pointSize, bold, italic, underline, numberFormat, alignment,
                        alignmentGiven, fontColour, fill, edges);
    }
    bool operator<(const CellStyle &other) const { return key() < other.key(); }
};

/// The FONT, FORMAT, XF and STYLE records of a workbook. Each distinct cell
/// style gets one cell XF (its index is what cell records carry), each
/// distinct font one FONT (font names through FontResolver) and each
/// distinct format text one FORMAT. Writes the 16 XFs every workbook starts
/// with. Colours go through the workbook's palette (Biff8Palette). Limit: at
/// most 4000 cell styles (beyond that, cells fall back to the default style).
class Biff8CellStyles {
public:
    static constexpr quint16 defaultXf = 15;

    quint16 xfIndex(const CellStyle &style);
    QByteArray records() const;

private:
    struct FontKey {
        QString family;
        double pointSize;
        bool bold, italic, underline;
        QRgb colour;
        bool operator<(const FontKey &o) const
        {
            return std::tie(family, pointSize, bold, italic, underline, colour)
                < std::tie(o.family, o.pointSize, o.bold, o.italic, o.underline, o.colour);
        }
    };
    struct CellXf {
        quint16 font;
        quint16 format;
        quint8 alignment;
        std::optional<QRgb> fill;
        std::array<CellEdge, 4> edges;
    };

    quint16 fontIndex(const CellStyle &style);
    quint16 formatIndex(const QString &format);

    std::map<CellStyle, quint16> m_xfByStyle;
    std::vector<CellXf> m_cellXfs;
    std::map<FontKey, quint16> m_fonts;
    std::map<QString, quint16> m_formats;
    Biff8Palette m_palette;
};

} // namespace velmora
