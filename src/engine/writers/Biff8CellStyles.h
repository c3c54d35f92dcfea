#pragma once

#include "engine/page/Page.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <tuple>

namespace velmora {

/// How one cell looks: its font, number format and horizontal alignment.
struct CellStyle {
    QString fontFamily = QStringLiteral("Arial"); ///< as the report names it
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QString numberFormat; ///< Excel's format text; empty = General
    HorizontalAlignment alignment = HorizontalAlignment::Left;
    bool alignmentGiven = false; ///< false: Excel's general alignment

    auto key() const
    {
        return std::tie(fontFamily, pointSize, bold, italic, underline, numberFormat, alignment,
                        alignmentGiven);
    }
    bool operator<(const CellStyle &other) const { return key() < other.key(); }
};

/// The FONT, FORMAT, XF and STYLE records of a workbook. Each distinct cell
/// style gets one cell XF (its index is what cell records carry), each
/// distinct font one FONT (font names through FontResolver) and each
/// distinct format text one FORMAT. Writes the 16 XFs every workbook starts
/// with. Limits: font colours are left automatic; at most 4000 cell styles
/// (beyond that, cells fall back to the default style).
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
        bool operator<(const FontKey &o) const
        {
            return std::tie(family, pointSize, bold, italic, underline)
                < std::tie(o.family, o.pointSize, o.bold, o.italic, o.underline);
        }
    };
    struct CellXf {
        quint16 font;
        quint16 format;
        quint8 alignment;
    };

    quint16 fontIndex(const CellStyle &style);
    quint16 formatIndex(const QString &format);

    std::map<CellStyle, quint16> m_xfByStyle;
    std::vector<CellXf> m_cellXfs;
    std::map<FontKey, quint16> m_fonts;
    std::map<QString, quint16> m_formats;
};

} // namespace velmora
