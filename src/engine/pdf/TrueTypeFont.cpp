#include "engine/pdf/TrueTypeFont.h"

#include "engine/pdf/TrueTypeCharacterMap.h"
#include "engine/pdf/TrueTypeGlyphTable.h"
#include "engine/pdf/TrueTypeHorizontalMetrics.h"
#include "engine/pdf/TrueTypeReader.h"
#include "engine/pdf/TrueTypeSubsetter.h"
#include "engine/pdf/TrueTypeTableDirectory.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace velmora {

struct TrueTypeFont::Tables {
    QByteArray data;
    Metrics metrics;
    std::optional<TrueTypeGlyphTable> glyphs;
    std::optional<TrueTypeHorizontalMetrics> horizontal;
    std::optional<TrueTypeCharacterMap> characterMap;
    /// The tables a subset copies, as the font has them.
    std::map<quint32, QByteArray> copiedTables;
};

namespace {

// Sizes of the parts of each table this file reads or the subset rewrites.
constexpr qint64 HeadSize = 54;
constexpr qint64 HheaSize = 36;
constexpr qint64 MaxpSize = 6;
constexpr qint64 PostHeaderSize = 32;
constexpr qint64 Os2Version0Size = 78;
constexpr qint64 Os2Version2Size = 96;

constexpr quint16 MacStyleItalic = 0x0002;
constexpr quint16 SelectionItalic = 0x0001;

int pdfWeight(int weightClass)
{
    if (weightClass >= 1 && weightClass <= 9) // an old scale some fonts still use
        weightClass *= 100;
    return std::clamp((weightClass + 50) / 100 * 100, 100, 900);
}

// The IBM family class names serif designs outright; PANOSE, for Latin
// text faces, says so through its serif style (2-10 are serifs, 11-15 sans).
bool hasSerifs(int familyClass, quint8 panoseFamily, quint8 panoseSerifStyle)
{
    switch (familyClass) {
    case 1: case 2: case 3: case 4: case 5: case 7:
        return true;
    case 0:
        return panoseFamily == 2 && panoseSerifStyle >= 2 && panoseSerifStyle <= 10;
    default:
        return false;
    }
}

void copyTable(const TrueTypeTableDirectory &directory, std::map<quint32, QByteArray> &copies, quint32 tag,
               qint64 minimumSize = 0)
{
    if (const auto table = directory.find(tag, minimumSize))
        copies[tag] = table->bytes(0, table->size()).toByteArray();
}

void readHeadMetrics(const TrueTypeReader &head, TrueTypeFont::Metrics &metrics)
{
    metrics.unitsPerEm = head.u16(18);
    if (metrics.unitsPerEm < 16 || metrics.unitsPerEm > 16384)
        head.fail(QStringLiteral("la mida del quadratí (%1 unitats) no és vàlida").arg(metrics.unitsPerEm));
    metrics.xMin = head.i16(36);
    metrics.yMin = head.i16(38);
    metrics.xMax = head.i16(40);
    metrics.yMax = head.i16(42);
    metrics.italic = head.u16(44) & MacStyleItalic;
}

void readVerticalMetrics(const TrueTypeReader &hhea, TrueTypeFont::Metrics &metrics)
{
    metrics.ascent = hhea.i16(4);
    metrics.descent = -std::abs(int(hhea.i16(6)));
    metrics.capHeight = metrics.ascent;
}

void readOs2Metrics(const TrueTypeReader &os2, TrueTypeFont::Metrics &metrics)
{
    metrics.weight = pdfWeight(os2.u16(4));
    metrics.serif = hasSerifs(os2.u16(30) >> 8, os2.u8(32), os2.u8(33));
    metrics.italic = metrics.italic || (os2.u16(62) & SelectionItalic);
    if (metrics.ascent == 0 && metrics.descent == 0) {
        metrics.ascent = os2.u16(74);
        metrics.descent = -int(os2.u16(76));
        metrics.capHeight = metrics.ascent;
    }
    if (os2.u16(0) >= 2 && os2.size() >= Os2Version2Size && os2.i16(88) > 0)
        metrics.capHeight = os2.i16(88);
}

void readPostMetrics(const TrueTypeReader &post, TrueTypeFont::Metrics &metrics)
{
    metrics.italicAngle = post.i32(4) / 65536.0;
    metrics.fixedPitch = post.u32(12) != 0;
}

TrueTypeFont::Metrics readMetrics(const TrueTypeTableDirectory &directory)
{
    TrueTypeFont::Metrics metrics;
    readHeadMetrics(directory.require(trueTypeTag("head"), HeadSize), metrics);
    readVerticalMetrics(directory.require(trueTypeTag("hhea"), HheaSize), metrics);
    if (const auto os2 = directory.find(trueTypeTag("OS/2"), Os2Version0Size))
        readOs2Metrics(*os2, metrics);
    if (const auto post = directory.find(trueTypeTag("post"), PostHeaderSize))
        readPostMetrics(*post, metrics);
    return metrics;
}

std::map<quint32, QByteArray> tablesKeptInSubsets(const TrueTypeTableDirectory &directory)
{
    std::map<quint32, QByteArray> copies;
    for (quint32 tag : {trueTypeTag("head"), trueTypeTag("hhea"), trueTypeTag("maxp"), trueTypeTag("cvt "),
                        trueTypeTag("fpgm"), trueTypeTag("prep")})
        copyTable(directory, copies, tag);
    copyTable(directory, copies, trueTypeTag("OS/2"), Os2Version0Size);
    copyTable(directory, copies, trueTypeTag("post"), PostHeaderSize);
    return copies;
}

} // namespace

TrueTypeFont::TrueTypeFont() : m_tables(std::make_unique<Tables>()) {}

TrueTypeFont::~TrueTypeFont() = default;

std::shared_ptr<const TrueTypeFont> TrueTypeFont::load(const QString &path, int faceIndex)
{
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        TrueTypeReader({}, name).fail(QStringLiteral("el fitxer no existeix o no es pot obrir"));
    return fromData(file.readAll(), faceIndex, name);
}

std::shared_ptr<const TrueTypeFont> TrueTypeFont::fromData(QByteArray data, int faceIndex, const QString &name)
{
    struct Constructible : TrueTypeFont {};
    auto font = std::make_shared<Constructible>();
    Tables &tables = *font->m_tables;
    tables.data = std::move(data);

    const TrueTypeReader file(tables.data, name);
    const TrueTypeTableDirectory directory(file, faceIndex);
    const TrueTypeReader head = directory.require(trueTypeTag("head"), HeadSize);
    const TrueTypeReader hhea = directory.require(trueTypeTag("hhea"), HheaSize);
    const int glyphCount = directory.require(trueTypeTag("maxp"), MaxpSize).u16(4);
    if (glyphCount == 0)
        file.fail(QStringLiteral("no té cap glif"));
    const int locaFormat = head.i16(50);
    if (locaFormat != 0 && locaFormat != 1)
        head.fail(QStringLiteral("el format de la taula «loca» no és vàlid"));

    tables.glyphs.emplace(directory.require(trueTypeTag("loca")), directory.require(trueTypeTag("glyf")),
                          locaFormat == 1, glyphCount);
    tables.horizontal.emplace(directory.require(trueTypeTag("hmtx")), hhea.u16(34), glyphCount);
    tables.characterMap.emplace(directory.require(trueTypeTag("cmap")), glyphCount);

    tables.metrics = readMetrics(directory);
    tables.copiedTables = tablesKeptInSubsets(directory);
    return font;
}

int TrueTypeFont::glyphCount() const
{
    return m_tables->horizontal->glyphCount();
}

quint16 TrueTypeFont::glyphFor(char32_t character) const
{
    return m_tables->characterMap->glyphFor(character);
}

int TrueTypeFont::advanceWidth(quint16 glyph) const
{
    return m_tables->horizontal->advance(glyph);
}

const TrueTypeFont::Metrics &TrueTypeFont::metrics() const
{
    return m_tables->metrics;
}

QByteArray TrueTypeFont::subset(const std::vector<quint16> &glyphs) const
{
    return TrueTypeSubsetter(*m_tables->glyphs, *m_tables->horizontal, m_tables->copiedTables).subset(glyphs);
}

} // namespace velmora
