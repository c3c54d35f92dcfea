#include "engine/writers/CairoFontCache.h"

#include "engine/core/Failure.h"
#include "engine/render/FontResolver.h"
#include "engine/writers/ExportErrors.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

namespace velmora {

namespace {

struct PatternDeleter {
    void operator()(FcPattern *pattern) const { FcPatternDestroy(pattern); }
};
using PatternPointer = std::unique_ptr<FcPattern, PatternDeleter>;

struct CharSetDeleter {
    void operator()(FcCharSet *set) const { FcCharSetDestroy(set); }
};

struct FontFaceDeleter {
    void operator()(cairo_font_face_t *face) const { cairo_font_face_destroy(face); }
};

QString styleKey(const FontSpec &font)
{
    return resolvedFontFamily(font.family) + (font.bold ? u"|b" : u"|") + (font.italic ? u"i" : u"");
}

PatternPointer requestPattern(const QString &family, const FontSpec &font, char32_t character)
{
    PatternPointer pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8 *>(family.toUtf8().constData()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    if (character != 0) {
        std::unique_ptr<FcCharSet, CharSetDeleter> wanted(FcCharSetCreate());
        FcCharSetAddChar(wanted.get(), character);
        FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted.get());
    }
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

} // namespace

struct CairoFontCache::Face {
    PatternPointer pattern;
    FcCharSet *characters = nullptr; ///< owned by the pattern
    std::unique_ptr<cairo_font_face_t, FontFaceDeleter> face;

    bool has(char32_t character) const
    {
        return characters && FcCharSetHasChar(characters, character);
    }
};

CairoFontCache::CairoFontCache() = default;
CairoFontCache::~CairoFontCache() = default;

const CairoFontCache::Face &CairoFontCache::matchedFace(const QString &family, const FontSpec &font,
                                                        char32_t character)
{
    const PatternPointer request = requestPattern(family, font, character);
    FcResult result = FcResultNoMatch;
    PatternPointer match(FcFontMatch(nullptr, request.get(), &result));
    FcChar8 *file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        throw Failure(ExportErrors::FontUnavailable,
                      QStringLiteral("No s'ha trobat cap tipus de lletra per a «%1».").arg(family));
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    const QString fileKey = QString::fromUtf8(reinterpret_cast<const char *>(file)) + u'#'
        + QString::number(index) + (font.bold ? u"b" : u"") + (font.italic ? u"i" : u"");
    auto &slot = m_facesByFile[fileKey];
    if (!slot) {
        auto face = std::make_unique<Face>();
        FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &face->characters);
        face->face.reset(cairo_ft_font_face_create_for_pattern(match.get()));
        face->pattern = std::move(match);
        slot = std::move(face);
    }
    return *slot;
}

const CairoFontCache::Face &CairoFontCache::primaryFace(const FontSpec &font)
{
    const QString key = styleKey(font);
    auto found = m_primaryByStyle.find(key);
    if (found == m_primaryByStyle.end())
        found = m_primaryByStyle.emplace(key, &matchedFace(resolvedFontFamily(font.family), font, 0)).first;
    return *found->second;
}

const CairoFontCache::Face &CairoFontCache::fallbackFace(const FontSpec &font, const Face &primary,
                                                         char32_t character)
{
    const auto key = std::make_pair(styleKey(font), character);
    auto found = m_fallbackByCharacter.find(key);
    if (found == m_fallbackByCharacter.end()) {
        const Face &candidate = matchedFace(resolvedFontFamily(font.family), font, character);
        found = m_fallbackByCharacter.emplace(key, candidate.has(character) ? &candidate : &primary).first;
    }
    return *found->second;
}

std::vector<CairoFontCache::Run> CairoFontCache::runs(const FontSpec &font, const QString &text)
{
    const Face &primary = primaryFace(font);
    std::vector<Run> runs;
    const Face *current = nullptr;
    QString pending;
    for (char32_t character : text.toStdU32String()) {
        const bool drawable = primary.has(character) || character < 0x20;
        const Face *face = drawable ? &primary : &fallbackFace(font, primary, character);
        if (face != current && !pending.isEmpty()) {
            runs.push_back(Run{current->face.get(), pending.toUtf8()});
            pending.clear();
        }
        current = face;
        pending += QString::fromUcs4(&character, 1);
    }
    if (!pending.isEmpty())
        runs.push_back(Run{current->face.get(), pending.toUtf8()});
    return runs;
}

} // namespace velmora
