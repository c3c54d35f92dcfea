#include "engine/definition/FontAttributes.h"

namespace velmora {

void readFontAttributes(AttributeReader &attributes, FontSpec &font)
{
    constexpr double largestFontSize = 1638;
    font.family = attributes.text(u"font", font.family);
    font.pointSize = attributes.decimal(u"size", font.pointSize, 1, largestFontSize);
    font.bold = attributes.boolean(u"bold", false);
    font.italic = attributes.boolean(u"italic", false);
    font.underline = attributes.boolean(u"underline", false);
    font.strikeOut = attributes.boolean(u"strikeOut", false);
}

void writeFontAttributes(XmlOutput &out, const FontSpec &font)
{
    const FontSpec defaults;
    if (font.family != defaults.family)
        out.text(u"font", font.family);
    if (font.pointSize != defaults.pointSize)
        out.text(u"size", QString::number(font.pointSize));
    out.flag(u"bold", font.bold);
    out.flag(u"italic", font.italic);
    out.flag(u"underline", font.underline);
    out.flag(u"strikeOut", font.strikeOut);
}

} // namespace velmora
