#include "engine/pdf/PdfEmbeddedFont.h"

#include "engine/pdf/PdfObjectWriter.h"
#include "engine/pdf/PdfSyntax.h"

#include <QCryptographicHash>

#include <cmath>

namespace velmora::pdf {

namespace {

constexpr int entriesPerCMapBlock = 100;

void appendUtf16Hex(QByteArray &out, char32_t character)
{
    if (character > 0xFFFF) {
        appendHex16(out, quint16(0xD800 + ((character - 0x10000) >> 10)));
        appendHex16(out, quint16(0xDC00 + ((character - 0x10000) & 0x3FF)));
    } else {
        appendHex16(out, quint16(character));
    }
}

} // namespace

PdfEmbeddedFont::PdfEmbeddedFont(std::shared_ptr<const TrueTypeFont> font, const QString &postScriptName,
                                 QByteArray resourceName, int objectNumber)
    : m_font(std::move(font)),
      m_postScriptName(postScriptName),
      m_resourceName(std::move(resourceName)),
      m_objectNumber(objectNumber),
      m_emPerUnit(1.0 / std::max(1, m_font->metrics().unitsPerEm)),
      m_used(size_t(std::max(1, m_font->glyphCount())), false),
      m_characterOfGlyph(m_used.size(), 0)
{
    m_used[0] = true;
}

double PdfEmbeddedFont::use(quint16 glyph, char32_t character)
{
    if (glyph >= m_used.size())
        glyph = 0;
    m_used[glyph] = true;
    if (glyph != 0 && m_characterOfGlyph[glyph] == 0)
        m_characterOfGlyph[glyph] = character;
    return m_font->advanceWidth(glyph) * m_emPerUnit;
}

std::vector<quint16> PdfEmbeddedFont::usedGlyphs() const
{
    std::vector<quint16> glyphs;
    for (size_t glyph = 0; glyph < m_used.size(); ++glyph)
        if (m_used[glyph])
            glyphs.push_back(quint16(glyph));
    return glyphs;
}

int PdfEmbeddedFont::toThousandths(int fontUnits) const
{
    return int(std::lround(fontUnits * 1000.0 * m_emPerUnit));
}

QByteArray PdfEmbeddedFont::baseFontName(const std::vector<quint16> &glyphs) const
{
    // Subsets are named "ABCDEF+Name", the tag drawn from the glyph set so
    // that two different subsets of one face never share a name.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(m_postScriptName.toUtf8());
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(glyphs.data()), qsizetype(glyphs.size() * 2)));
    const QByteArray digest = hash.result();
    QByteArray name = "/";
    for (int i = 0; i < 6; ++i)
        name.append(char('A' + quint8(digest[i]) % 26));
    name.append('+');
    name.append(fontName(m_postScriptName).mid(1));
    return name;
}

QByteArray PdfEmbeddedFont::widthArray(const std::vector<quint16> &glyphs) const
{
    // Consecutive glyphs share one "first [w w w]" entry.
    QByteArray out("[");
    for (size_t i = 0; i < glyphs.size();) {
        appendInteger(out, glyphs[i]);
        out.append(" [");
        size_t j = i;
        do {
            appendInteger(out, toThousandths(m_font->advanceWidth(glyphs[j])));
            out.append(' ');
            ++j;
        } while (j < glyphs.size() && glyphs[j] == glyphs[j - 1] + 1);
        out.append("] ");
        i = j;
    }
    out.append(']');
    return out;
}

QByteArray PdfEmbeddedFont::toUnicodeMap(const std::vector<quint16> &glyphs) const
{
    std::vector<quint16> mapped;
    for (quint16 glyph : glyphs)
        if (m_characterOfGlyph[glyph] != 0)
            mapped.push_back(glyph);
    QByteArray cmap("/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                    "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                    "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                    "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n");
    for (size_t start = 0; start < mapped.size(); start += entriesPerCMapBlock) {
        const size_t end = std::min(mapped.size(), start + entriesPerCMapBlock);
        appendInteger(cmap, qint64(end - start));
        cmap.append(" beginbfchar\n");
        for (size_t i = start; i < end; ++i) {
            cmap.append('<');
            appendHex16(cmap, mapped[i]);
            cmap.append("> <");
            appendUtf16Hex(cmap, m_characterOfGlyph[mapped[i]]);
            cmap.append(">\n");
        }
        cmap.append("endbfchar\n");
    }
    cmap.append("endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
    return cmap;
}

QByteArray PdfEmbeddedFont::descriptor(const QByteArray &baseFont, int fontFile) const
{
    const TrueTypeFont::Metrics &metrics = m_font->metrics();
    int flags = 4; // symbolic: glyphs are addressed by number, not by a standard encoding
    if (metrics.fixedPitch)
        flags |= 1;
    if (metrics.serif)
        flags |= 2;
    if (metrics.italic || metrics.italicAngle != 0)
        flags |= 64;
    QByteArray out("<< /Type /FontDescriptor /FontName ");
    out.append(baseFont);
    out.append(" /Flags ");
    appendInteger(out, flags);
    out.append(" /FontBBox [");
    for (int value : {metrics.xMin, metrics.yMin, metrics.xMax, metrics.yMax}) {
        appendInteger(out, toThousandths(value));
        out.append(' ');
    }
    out.append("] /ItalicAngle ");
    appendNumber(out, metrics.italicAngle);
    out.append(" /Ascent ");
    appendInteger(out, toThousandths(metrics.ascent));
    out.append(" /Descent ");
    appendInteger(out, toThousandths(metrics.descent));
    out.append(" /CapHeight ");
    appendInteger(out, toThousandths(metrics.capHeight));
    out.append(" /StemV ");
    appendInteger(out, metrics.weight >= 600 ? 120 : 80);
    out.append(" /FontFile2 ");
    appendReference(out, fontFile);
    out.append(" >>");
    return out;
}

void PdfEmbeddedFont::write(PdfObjectWriter &writer) const
{
    const std::vector<quint16> glyphs = usedGlyphs();
    const QByteArray baseFont = baseFontName(glyphs);
    const int cidFont = writer.reserve();
    const int descriptorObject = writer.reserve();
    const int fontFile = writer.reserve();
    const int toUnicode = writer.reserve();

    QByteArray type0("<< /Type /Font /Subtype /Type0 /BaseFont ");
    type0.append(baseFont);
    type0.append(" /Encoding /Identity-H /DescendantFonts [");
    appendReference(type0, cidFont);
    type0.append("] /ToUnicode ");
    appendReference(type0, toUnicode);
    type0.append(" >>");
    writer.writeObject(m_objectNumber, type0);

    QByteArray cid("<< /Type /Font /Subtype /CIDFontType2 /BaseFont ");
    cid.append(baseFont);
    cid.append(" /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /FontDescriptor ");
    appendReference(cid, descriptorObject);
    cid.append(" /CIDToGIDMap /Identity /DW 1000 /W ");
    cid.append(widthArray(glyphs));
    cid.append(" >>");
    writer.writeObject(cidFont, cid);

    writer.writeObject(descriptorObject, descriptor(baseFont, fontFile));
    const QByteArray program = m_font->subset(glyphs);
    QByteArray lengthEntry("/Length1 ");
    appendInteger(lengthEntry, program.size());
    writer.writeStream(fontFile, lengthEntry, program);
    writer.writeStream(toUnicode, {}, toUnicodeMap(glyphs));
}

} // namespace velmora::pdf
