#include "engine/pdf/PdfFontSet.h"

#include "engine/core/Failure.h"
#include "engine/pdf/PdfObjectWriter.h"
#include "engine/pdf/PdfSyntax.h"
#include "engine/writers/ExportErrors.h"

namespace velmora::pdf {

struct PdfFontSet::Style {
    FontSpec font;
    PdfEmbeddedFont *primary = nullptr;
    std::unordered_map<char32_t, PdfEmbeddedFont *> fallbacks; ///< null: no face has it
};

double EncodedText::widthInEm() const
{
    double width = 0;
    for (const Run &run : runs)
        width += run.widthInEm;
    return width;
}

PdfFontSet::PdfFontSet(PdfObjectWriter &writer) : m_writer(writer) {}
PdfFontSet::~PdfFontSet() = default;

PdfEmbeddedFont *PdfFontSet::loaded(const FontFile &file)
{
    auto found = m_faces.find(file);
    if (found != m_faces.end())
        return found->second.get();
    std::unique_ptr<PdfEmbeddedFont> face;
    try {
        std::shared_ptr<const TrueTypeFont> font = TrueTypeFont::load(file.path, file.index);
        QByteArray name = "/F";
        appendInteger(name, qint64(m_facesInOrder.size() + 1));
        face = std::make_unique<PdfEmbeddedFont>(std::move(font), file.postScriptName, name, m_writer.reserve());
        m_facesInOrder.push_back(face.get());
    } catch (const Failure &) {
        // Not a TrueType face (a CFF or bitmap font): the caller looks elsewhere.
    }
    return m_faces.emplace(file, std::move(face)).first->second.get();
}

PdfFontSet::Style &PdfFontSet::style(const FontSpec &font)
{
    for (const auto &known : m_styles)
        if (known->font == font)
            return *known;
    auto style = std::make_unique<Style>();
    style->font = font;
    style->primary = loaded(m_finder.face(font));
    if (!style->primary) {
        FontSpec standIn = font;
        standIn.family = QStringLiteral("Liberation Sans");
        style->primary = loaded(m_finder.face(standIn));
    }
    if (!style->primary)
        throw Failure(ExportErrors::FontUnavailable,
                      QStringLiteral("No s'ha trobat cap tipus de lletra TrueType per a «%1».").arg(font.family));
    m_styles.push_back(std::move(style));
    return *m_styles.back();
}

PdfEmbeddedFont *PdfFontSet::fallbackFor(Style &style, char32_t character)
{
    const auto found = style.fallbacks.find(character);
    if (found != style.fallbacks.end())
        return found->second;
    PdfEmbeddedFont *face = nullptr;
    if (const std::optional<FontFile> file = m_finder.faceWith(style.font, character)) {
        face = loaded(*file);
        if (face && face->glyphFor(character) == 0)
            face = nullptr;
    }
    style.fallbacks.emplace(character, face);
    return face;
}

void PdfFontSet::encode(const FontSpec &font, QStringView text, EncodedText &out)
{
    out.runs.clear();
    out.glyphs.clear();
    out.hasMissingGlyph = false;
    Style &chosen = style(font);
    PdfEmbeddedFont *const primary = chosen.primary;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        char32_t character = text[i].unicode();
        if (QChar::isHighSurrogate(character) && i + 1 < length && text[i + 1].isLowSurrogate())
            character = QChar::surrogateToUcs4(char16_t(character), text[++i].unicode());
        if (character < 0x20)
            character = U' ';
        PdfEmbeddedFont *face = primary;
        quint16 glyph = primary->glyphFor(character);
        if (glyph == 0) {
            if (PdfEmbeddedFont *fallback = fallbackFor(chosen, character)) {
                face = fallback;
                glyph = fallback->glyphFor(character);
            } else {
                out.hasMissingGlyph = true;
            }
        }
        if (out.runs.empty() || out.runs.back().font != face)
            out.runs.push_back(EncodedText::Run{face, out.glyphs.size(), 0, 0});
        EncodedText::Run &run = out.runs.back();
        run.widthInEm += face->use(glyph, character);
        ++run.glyphCount;
        out.glyphs.push_back(glyph);
    }
}

QByteArray PdfFontSet::resourceEntries() const
{
    QByteArray out;
    for (const PdfEmbeddedFont *face : m_facesInOrder) {
        out.append(face->resourceName());
        out.append(' ');
        appendReference(out, face->objectNumber());
        out.append(' ');
    }
    return out;
}

void PdfFontSet::writeAll() const
{
    for (const PdfEmbeddedFont *face : m_facesInOrder)
        face->write(m_writer);
}

} // namespace velmora::pdf
