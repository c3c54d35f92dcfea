#pragma once

#include "engine/pdf/TrueTypeFont.h"

#include <QByteArray>

#include <memory>
#include <vector>

namespace velmora::pdf {

class PdfObjectWriter;

/// One TrueType face as a PDF font: a Type 0 font over a CIDFontType2 whose
/// CIDs are the face's glyph numbers (Identity), so text is written as
/// glyph numbers. It remembers which glyphs the pages used and the
/// character each first stood for; at the end of the document it writes
/// the subset of those glyphs, their widths and the ToUnicode map that
/// turns them back into text for copying and searching.
/// Limit: a glyph drawn for two different characters copies out as the
/// first of them.
class PdfEmbeddedFont {
public:
    PdfEmbeddedFont(std::shared_ptr<const TrueTypeFont> font, const QString &postScriptName,
                    QByteArray resourceName, int objectNumber);

    const TrueTypeFont &font() const { return *m_font; }
    quint16 glyphFor(char32_t character) const { return m_font->glyphFor(character); }
    /// Records that `glyph` was drawn for `character`; returns its advance
    /// in em (font units over units per em).
    double use(quint16 glyph, char32_t character);

    /// "/F3", the name pages use for it.
    const QByteArray &resourceName() const { return m_resourceName; }
    int objectNumber() const { return m_objectNumber; }

    /// Writes the font's objects (the Type 0 font at objectNumber()).
    void write(PdfObjectWriter &writer) const;

private:
    std::vector<quint16> usedGlyphs() const;
    QByteArray baseFontName(const std::vector<quint16> &glyphs) const;
    QByteArray widthArray(const std::vector<quint16> &glyphs) const;
    QByteArray toUnicodeMap(const std::vector<quint16> &glyphs) const;
    QByteArray descriptor(const QByteArray &baseFont, int fontFile) const;
    int toThousandths(int fontUnits) const;

    std::shared_ptr<const TrueTypeFont> m_font;
    QString m_postScriptName;
    QByteArray m_resourceName;
    int m_objectNumber;
    double m_emPerUnit;
    std::vector<bool> m_used;
    std::vector<char32_t> m_characterOfGlyph; ///< 0: none known
};

} // namespace velmora::pdf
