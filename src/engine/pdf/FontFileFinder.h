#pragma once

#include "engine/page/Page.h"

#include <QString>

#include <optional>

namespace velmora::pdf {

/// An installed font face: its file, and its index in a collection.
struct FontFile {
    QString path;
    int index = 0;
    QString postScriptName;

    bool operator<(const FontFile &other) const
    {
        return std::tie(path, index) < std::tie(other.path, other.index);
    }
};

/// Finds font files through fontconfig: the face drawing a report font
/// (its family mapped to the installed metric twin, as every output does),
/// and a face of the same style that has a given character. TrueType faces
/// are preferred, since those are the ones a PDF can embed as subsets.
class FontFileFinder {
public:
    /// Throws Failure (ExportErrors::FontUnavailable) when nothing matches.
    FontFile face(const FontSpec &font) const;
    /// The best face for `character` in the style of `font`; it may still
    /// lack the character (the caller checks).
    std::optional<FontFile> faceWith(const FontSpec &font, char32_t character) const;
};

} // namespace velmora::pdf
