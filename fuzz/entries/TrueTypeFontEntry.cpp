#include "FuzzEntries.h"
#include "PatchedInput.h"

#include "engine/pdf/TrueTypeFont.h"

#include <QFile>

#include <array>

namespace velmora::fuzzing {

namespace {

// The installed faces the PDF export embeds most: a real font is hundreds
// of kilobytes, so inputs patch one rather than carry one.
constexpr std::array<const char *, 2> baseFonts{
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};

QByteArray baseFont(unsigned char choice)
{
    static std::array<QByteArray, baseFonts.size()> cache;
    QByteArray &font = cache[choice % baseFonts.size()];
    if (font.isEmpty()) {
        QFile file{QString::fromLatin1(baseFonts[choice % baseFonts.size()])};
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("a base font is missing (fonts-liberation2, fonts-dejavu-core)");
        font = file.readAll();
    }
    return font;
}

} // namespace

// Reads the font, maps a few characters of the kinds reports hold, and
// subsets the glyphs found, as the PDF export does.
void readTrueTypeFont(const QByteArray &input)
{
    const auto font = TrueTypeFont::fromData(patchedInput(input, baseFont), 0, QStringLiteral("fuzz"));
    std::vector<quint16> glyphs;
    for (char32_t character : {U' ', U'A', U'\u00E0', U'\u00B7', U'\u20AC', U'\U0001F600'}) {
        const quint16 glyph = font->glyphFor(character);
        if (glyph >= font->glyphCount())
            throw BrokenPromise("a character maps to a glyph the font does not have");
        font->advanceWidth(glyph);
        glyphs.push_back(glyph);
    }
    if (font->subset(glyphs).isEmpty())
        throw BrokenPromise("a font that loaded gave an empty subset");
}

} // namespace velmora::fuzzing
