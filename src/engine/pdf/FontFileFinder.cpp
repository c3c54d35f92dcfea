#include "engine/pdf/FontFileFinder.h"

#include "engine/core/Failure.h"
#include "engine/render/FontResolver.h"
#include "engine/writers/ExportErrors.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace velmora::pdf {

namespace {

struct PatternDeleter {
    void operator()(FcPattern *pattern) const { FcPatternDestroy(pattern); }
};
using PatternPointer = std::unique_ptr<FcPattern, PatternDeleter>;

struct CharSetDeleter {
    void operator()(FcCharSet *set) const { FcCharSetDestroy(set); }
};

PatternPointer requestPattern(const FontSpec &font, char32_t character)
{
    PatternPointer pattern(FcPatternCreate());
    const QByteArray family = resolvedFontFamily(font.family).toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.constData()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcPatternAddString(pattern.get(), FC_FONTFORMAT, reinterpret_cast<const FcChar8 *>("TrueType"));
    if (character != 0) {
        std::unique_ptr<FcCharSet, CharSetDeleter> wanted(FcCharSetCreate());
        FcCharSetAddChar(wanted.get(), character);
        FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted.get());
    }
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

std::optional<FontFile> matchedFile(const FontSpec &font, char32_t character)
{
    const PatternPointer request = requestPattern(font, character);
    FcResult result = FcResultNoMatch;
    const PatternPointer match(FcFontMatch(nullptr, request.get(), &result));
    FcChar8 *file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        return std::nullopt;
    FontFile found;
    found.path = QString::fromUtf8(reinterpret_cast<const char *>(file));
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index);
    FcChar8 *postScriptName = nullptr;
    if (FcPatternGetString(match.get(), FC_POSTSCRIPT_NAME, 0, &postScriptName) == FcResultMatch)
        found.postScriptName = QString::fromUtf8(reinterpret_cast<const char *>(postScriptName));
    return found;
}

} // namespace

FontFile FontFileFinder::face(const FontSpec &font) const
{
    if (std::optional<FontFile> found = matchedFile(font, 0))
        return *found;
    throw Failure(ExportErrors::FontUnavailable,
                  QStringLiteral("No s'ha trobat cap tipus de lletra per a «%1».").arg(font.family));
}

std::optional<FontFile> FontFileFinder::faceWith(const FontSpec &font, char32_t character) const
{
    return matchedFile(font, character);
}

} // namespace velmora::pdf
