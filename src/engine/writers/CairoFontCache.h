#pragma once

#include "engine/page/Page.h"

#include <QByteArray>
#include <QString>

#include <cairo.h>

#include <map>
#include <memory>
#include <vector>

namespace velmora {

/// Cairo faces for the fonts of a report, loaded through fontconfig from the
/// font files of the family FontResolver names (Liberation for the Windows
/// names), one face per family, weight and slant, reused for the whole
/// export. A character the face lacks (an emoji in Liberation Sans) is drawn
/// with the installed face fontconfig finds for it (DejaVu Sans has many);
/// when no face has it, the primary face's missing-glyph box is drawn and the
/// text still copies out right.
class CairoFontCache {
public:
    struct Run {
        cairo_font_face_t *face = nullptr; ///< owned by the cache
        QByteArray utf8;
    };

    CairoFontCache();
    ~CairoFontCache();
    CairoFontCache(const CairoFontCache &) = delete;
    CairoFontCache &operator=(const CairoFontCache &) = delete;

    /// The text cut into runs that one face draws entirely. Throws Failure
    /// when fontconfig finds no face at all.
    std::vector<Run> runs(const FontSpec &font, const QString &text);

private:
    struct Face;
    const Face &primaryFace(const FontSpec &font);
    const Face &fallbackFace(const FontSpec &font, const Face &primary, char32_t character);
    const Face &matchedFace(const QString &family, const FontSpec &font, char32_t character);

    std::map<QString, std::unique_ptr<Face>> m_facesByFile;
    std::map<QString, const Face *> m_primaryByStyle;
    std::map<std::pair<QString, char32_t>, const Face *> m_fallbackByCharacter;
};

} // namespace velmora
