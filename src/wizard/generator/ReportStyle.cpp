#include "wizard/generator/ReportStyle.h"

namespace velmora::wizard {

FontSpec ReportStyle::font(double size, bool bold, bool italic) const
{
    FontSpec face;
    face.family = family;
    face.pointSize = size;
    face.bold = bold;
    face.italic = italic;
    return face;
}

const std::vector<ReportStyle> &reportStyles()
{
    static const std::vector<ReportStyle> styles = {
        {QStringLiteral("modern"), QStringLiteral("Modern (Arial, blau)"), QStringLiteral("Arial"), 9,
         qRgb(0x1F, 0x4E, 0x79), qRgb(0x59, 0x59, 0x59), qRgb(0xDD, 0xE8, 0xF3), qRgb(0x1F, 0x4E, 0x79)},
        {QStringLiteral("classic"), QStringLiteral("Clàssic (Times New Roman, granat)"),
         QStringLiteral("Times New Roman"), 10, qRgb(0x7B, 0x24, 0x1C), qRgb(0x59, 0x59, 0x59), std::nullopt,
         qRgb(0x7B, 0x24, 0x1C)},
        {QStringLiteral("plain"), QStringLiteral("Sobri (Arial, gris)"), QStringLiteral("Arial"), 9,
         qRgb(0x26, 0x26, 0x26), qRgb(0x70, 0x70, 0x70), qRgb(0xEE, 0xEE, 0xEE), qRgb(0, 0, 0)},
    };
    return styles;
}

const ReportStyle &reportStyle(const QString &key)
{
    for (const ReportStyle &style : reportStyles())
        if (style.key == key)
            return style;
    return reportStyles().front();
}

} // namespace velmora::wizard
