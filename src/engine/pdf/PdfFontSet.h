#pragma once

#include "engine/page/Page.h"
#include "engine/pdf/FontFileFinder.h"
#include "engine/pdf/PdfEmbeddedFont.h"

#include <QStringView>

#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace velmora::pdf {

class PdfObjectWriter;

/// A text turned into glyphs: runs of glyphs one font draws, and the
/// width of each run in em.
struct EncodedText {
    struct Run {
        PdfEmbeddedFont *font = nullptr;
        size_t firstGlyph = 0;
        size_t glyphCount = 0;
        double widthInEm = 0;
    };
    std::vector<Run> runs;
    std::vector<quint16> glyphs;
    bool hasMissingGlyph = false; ///< some character is drawn as the missing-glyph box

    double widthInEm() const;
};

/// Every font of a document. A text in a report font is drawn by the face
/// fontconfig gives for that font; a character the face lacks comes from
/// another installed TrueType face of the same style that has it (DejaVu
/// Sans has the common emoji), or else is drawn as the face's missing-glyph
/// box. Faces are loaded once; each becomes one embedded subset.
/// Control characters (tab, line feed) are drawn as spaces.
class PdfFontSet {
public:
    explicit PdfFontSet(PdfObjectWriter &writer);
    ~PdfFontSet();

    /// Encodes `text` in `font` into `out` (its vectors are reused).
    /// Throws Failure when no usable face exists at all.
    void encode(const FontSpec &font, QStringView text, EncodedText &out);

    /// "/F1 12 0 R /F2 ..." for the document's resources.
    QByteArray resourceEntries() const;
    /// Writes every font used.
    void writeAll() const;

private:
    struct Style;
    Style &style(const FontSpec &font);
    PdfEmbeddedFont *fallbackFor(Style &style, char32_t character);
    PdfEmbeddedFont *loaded(const FontFile &file);

    PdfObjectWriter &m_writer;
    FontFileFinder m_finder;
    std::map<FontFile, std::unique_ptr<PdfEmbeddedFont>> m_faces; ///< null: not a usable TrueType face
    std::vector<PdfEmbeddedFont *> m_facesInOrder;
    std::vector<std::unique_ptr<Style>> m_styles;
};

} // namespace velmora::pdf
