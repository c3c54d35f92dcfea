// The TrueType font reader and subsetter, checked against FreeType (through
// QRawFont) as an independent reader of the same files.

#include "engine/core/Failure.h"
#include "engine/pdf/TrueTypeFont.h"
#include "engine/writers/ExportErrors.h"

#include <QFile>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QRawFont>
#include <QTest>
#include <QtEndian>

#include <set>

using namespace velmora;

namespace {

QString liberation(QStringView file)
{
    return QStringLiteral("/usr/share/fonts/truetype/liberation2/") + file;
}

QString dejaVu(QStringView file)
{
    return QStringLiteral("/usr/share/fonts/truetype/dejavu/") + file;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint16 u16(const QByteArray &data, qsizetype at)
{
    return qFromBigEndian<quint16>(data.constData() + at);
}

quint32 u32(const QByteArray &data, qsizetype at)
{
    return qFromBigEndian<quint32>(data.constData() + at);
}

void putU32(QByteArray &data, qsizetype at, quint32 value)
{
    qToBigEndian(value, data.data() + at);
}

/// Offset and length of a table, from a single font's directory.
std::pair<qsizetype, qsizetype> tableOf(const QByteArray &font, const char *tag)
{
    for (int i = 0; i < u16(font, 4); ++i) {
        const qsizetype record = 12 + 16 * i;
        if (font.mid(record, 4) == tag)
            return {u32(font, record + 8), u32(font, record + 12)};
    }
    return {-1, 0};
}

/// A collection holding `faces` in order; its table offsets count from the
/// start of the collection, as in a real .ttc.
QByteArray collectionOf(const QList<QByteArray> &faces)
{
    QByteArray ttc("ttcf\0\1\0\0", 8);
    ttc.append(4 + 4 * faces.size(), '\0');
    putU32(ttc, 8, quint32(faces.size()));
    for (int face = 0; face < faces.size(); ++face) {
        const qsizetype base = ttc.size();
        putU32(ttc, 12 + 4 * face, quint32(base));
        QByteArray copy = faces[face];
        for (int i = 0; i < u16(copy, 4); ++i)
            putU32(copy, 12 + 16 * i + 8, u32(copy, 12 + 16 * i + 8) + quint32(base));
        ttc.append(copy);
        ttc.append((4 - ttc.size() % 4) % 4, '\0');
    }
    return ttc;
}

std::vector<quint16> glyphsOf(const TrueTypeFont &font, const QString &text)
{
    std::vector<quint16> glyphs;
    for (char32_t c : text.toUcs4())
        glyphs.push_back(font.glyphFor(c));
    return glyphs;
}

QRawFont freeTypeFont(const QString &path, int unitsPerEm)
{
    return QRawFont(path, unitsPerEm, QFont::PreferNoHinting);
}

qreal freeTypeAdvance(const QRawFont &font, quint32 glyph)
{
    return font.advancesForGlyphIndexes(QList<quint32>{glyph}, QRawFont::UseDesignMetrics).value(0).x();
}

} // namespace

class TrueTypeFontTest : public QObject {
    Q_OBJECT

private:
    void expectFailure(const QByteArray &data, int faceIndex)
    {
        try {
            TrueTypeFont::fromData(data, faceIndex, QStringLiteral("malmès.ttf"));
            QFAIL("a damaged font was read");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), ExportErrors::FontUnavailable);
            QVERIFY2(failure.description().contains(QStringLiteral("«malmès.ttf»")),
                     qPrintable(failure.description()));
        }
    }

private slots:
    void init()
    {
        for (const QString &path : {liberation(u"LiberationSans-Regular.ttf"), dejaVu(u"DejaVuSans.ttf")}) {
            if (!QFile::exists(path))
                QSKIP(qPrintable(path + QStringLiteral(" is not installed (scripts/install-deps.sh)")));
        }
    }

    void glyphsAndAdvancesMatchFreeType_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("allPresent");

        QTest::newRow("Latin letters, digits and punctuation")
            << liberation(u"LiberationSans-Regular.ttf") << QStringLiteral("Hola, Món! 0123456789 ()-+") << true;
        QTest::newRow("Catalan accents, the middle dot of l·l and the euro")
            << liberation(u"LiberationSans-Bold.ttf") << QStringLiteral("àèéíïòóúüçÀÇÉÏ l·l L·L €") << true;
        QTest::newRow("characters the font lacks are glyph 0 in both readers")
            << liberation(u"LiberationSans-Regular.ttf") << QStringLiteral("中😀\uE000") << false;
        QTest::newRow("a monospaced font: one advance for all")
            << liberation(u"LiberationMono-Regular.ttf") << QStringLiteral("iWmà€") << true;
        QTest::newRow("glyphs past hhea's four long metrics share the last advance")
            << dejaVu(u"DejaVuSansMono.ttf") << QStringLiteral("iWmà€Ωж") << true;
        QTest::newRow("an emoji beyond the BMP through the format 12 map")
            << dejaVu(u"DejaVuSans.ttf") << QStringLiteral("😀😎 €ΩЖ") << true;
    }

    void glyphsAndAdvancesMatchFreeType()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(bool, allPresent);
        const auto font = TrueTypeFont::load(path);
        const QRawFont reference = freeTypeFont(path, font->metrics().unitsPerEm);
        QVERIFY(reference.isValid());

        for (char32_t c : text.toUcs4()) {
            const quint32 expected = reference.glyphIndexesForString(QString::fromUcs4(&c, 1)).value(0);
            const quint16 glyph = font->glyphFor(c);
            QCOMPARE(glyph, expected);
            QVERIFY(!allPresent || glyph != 0);
            QCOMPARE(font->advanceWidth(glyph), qRound(freeTypeAdvance(reference, glyph)));
        }
    }

    void metrics_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<double>("italicAngle");
        QTest::addColumn<bool>("fixedPitch");
        QTest::addColumn<bool>("serif");
        QTest::addColumn<int>("capHeight");

        // Cap heights: OS/2 version 2 and later state them; DejaVu's older
        // OS/2 does not, so its ascent stands in.
        QTest::newRow("regular sans")
            << liberation(u"LiberationSans-Regular.ttf") << 400 << false << 0.0 << false << false << 1409;
        QTest::newRow("bold weighs 700")
            << liberation(u"LiberationSans-Bold.ttf") << 700 << false << 0.0 << false << false << 1409;
        QTest::newRow("italic leans 12 degrees clockwise")
            << liberation(u"LiberationSans-Italic.ttf") << 400 << true << -12.0 << false << false << 1409;
        QTest::newRow("mono is fixed pitch; its sans family class outweighs PANOSE")
            << liberation(u"LiberationMono-Regular.ttf") << 400 << false << 0.0 << true << false << 1349;
        QTest::newRow("serif by its oldstyle family class")
            << liberation(u"LiberationSerif-Regular.ttf") << 400 << false << 0.0 << false << true << 1341;
        QTest::newRow("serif by PANOSE when no family class is given")
            << dejaVu(u"DejaVuSerif.ttf") << 400 << false << 0.0 << false << true << 1901;
        QTest::newRow("sans by PANOSE, no cap height in OS/2 version 1")
            << dejaVu(u"DejaVuSans.ttf") << 400 << false << 0.0 << false << false << 1901;
    }

    void metrics()
    {
        QFETCH(QString, path);
        const auto font = TrueTypeFont::load(path);
        const TrueTypeFont::Metrics &metrics = font->metrics();
        const QRawFont reference = freeTypeFont(path, metrics.unitsPerEm);

        QCOMPARE(metrics.unitsPerEm, qRound(reference.unitsPerEm()));
        QCOMPARE(metrics.ascent, qRound(reference.ascent()));
        QCOMPARE(metrics.descent, -qRound(reference.descent()));
        QTEST(metrics.weight, "weight");
        QTEST(metrics.italic, "italic");
        QTEST(metrics.italicAngle, "italicAngle");
        QTEST(metrics.fixedPitch, "fixedPitch");
        QTEST(metrics.serif, "serif");
        QTEST(metrics.capHeight, "capHeight");

        const QRectF widest = reference.pathForGlyph(font->glyphFor(U'W')).boundingRect();
        QVERIFY(metrics.xMin <= widest.left() && widest.right() <= metrics.xMax);
        QVERIFY(metrics.yMin <= -widest.bottom() && -widest.top() <= metrics.yMax);
    }

    void subsetDrawsTheKeptGlyphsOnly_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("composite");
        QTest::addColumn<QString>("leftOut");

        QTest::newRow("plain letters")
            << liberation(u"LiberationSans-Regular.ttf") << QStringLiteral("Hola") << QString()
            << QStringLiteral("Z");
        QTest::newRow("é is drawn from e and an accent, which come along")
            << liberation(u"LiberationSans-Regular.ttf") << QStringLiteral("é") << QStringLiteral("é")
            << QStringLiteral("x");
        QTest::newRow("Å and ç in bold, composites too")
            << liberation(u"LiberationSans-Bold.ttf") << QStringLiteral("Åç€") << QStringLiteral("Å")
            << QStringLiteral("b");
        QTest::newRow("an emoji far up the numbering")
            << dejaVu(u"DejaVuSans.ttf") << QStringLiteral("a😀") << QString() << QStringLiteral("Ω");
    }

    void subsetDrawsTheKeptGlyphsOnly()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(QString, composite);
        QFETCH(QString, leftOut);
        const auto font = TrueTypeFont::load(path);
        const int unitsPerEm = font->metrics().unitsPerEm;
        const std::vector<quint16> glyphs = glyphsOf(*font, text);
        const QByteArray subset = font->subset(glyphs);
        const QRawFont original = freeTypeFont(path, unitsPerEm);
        const QRawFont embedded(subset, unitsPerEm, QFont::PreferNoHinting);
        QVERIFY(embedded.isValid());

        for (quint16 glyph : glyphs) {
            const QPainterPath path = embedded.pathForGlyph(glyph);
            QVERIFY(!path.isEmpty());
            QCOMPARE(path.boundingRect(), original.pathForGlyph(glyph).boundingRect());
            QCOMPARE(freeTypeAdvance(embedded, glyph), freeTypeAdvance(original, glyph));
        }
        const quint16 omitted = font->glyphFor(leftOut.toUcs4().value(0));
        QVERIFY(omitted < *std::max_element(glyphs.begin(), glyphs.end()));
        QVERIFY(embedded.pathForGlyph(omitted).isEmpty());
        QCOMPARE(freeTypeAdvance(embedded, omitted), freeTypeAdvance(original, omitted));

        if (!composite.isEmpty()) {
            // Read from the subset's own glyf: a composite starts with a
            // negative contour count, then its first component's glyph.
            const quint16 glyph = font->glyphFor(composite.toUcs4().value(0));
            const auto [loca, locaLength] = tableOf(subset, "loca");
            const auto [glyf, glyfLength] = tableOf(subset, "glyf");
            const qsizetype data = glyf + u32(subset, loca + 4 * glyph);
            QVERIFY(qint16(u16(subset, data)) < 0);
            const quint16 component = u16(subset, data + 12);
            QVERIFY(!std::count(glyphs.begin(), glyphs.end(), component));
            QVERIFY(!embedded.pathForGlyph(component).isEmpty());
        }
    }

    void subsetFileStructure_data()
    {
        QTest::addColumn<QList<int>>("glyphs");
        QTest::addColumn<int>("glyphCount");

        QTest::newRow("nothing asked keeps glyph 0 alone") << QList<int>() << 1;
        QTest::newRow("the numbering ends at the largest glyph kept") << QList<int>({36, 3}) << 37;
        QTest::newRow("numbers past the font's 2620 glyphs are ignored") << QList<int>({2620, 65535}) << 1;
    }

    void subsetFileStructure()
    {
        QFETCH(QList<int>, glyphs);
        QFETCH(int, glyphCount);
        const auto font = TrueTypeFont::load(liberation(u"LiberationSans-Regular.ttf"));
        const QByteArray subset = font->subset(std::vector<quint16>(glyphs.begin(), glyphs.end()));

        const int tableCount = u16(subset, 4);
        int power = 1;
        while (power * 2 <= tableCount)
            power *= 2;
        QCOMPARE(u16(subset, 6), power * 16);
        QCOMPARE(1 << u16(subset, 8), power);
        QCOMPARE(u16(subset, 10), tableCount * 16 - power * 16);

        QStringList tags;
        quint32 fileSum = 0;
        for (qsizetype i = 0; i + 4 <= subset.size(); i += 4)
            fileSum += u32(subset, i);
        QCOMPARE(fileSum, 0xB1B0AFBAu);
        for (int i = 0; i < tableCount; ++i) {
            const qsizetype record = 12 + 16 * i;
            tags << QString::fromLatin1(subset.mid(record, 4));
            const quint32 offset = u32(subset, record + 8);
            const quint32 length = u32(subset, record + 12);
            QCOMPARE(offset % 4, 0u);
            QVERIFY(offset + length <= quint32(subset.size()));
            quint32 sum = 0;
            for (quint32 at = offset; at < offset + length; at += 4)
                sum += u32(subset, at);
            if (tags.last() != u"head")
                QCOMPARE(u32(subset, record + 4), sum);
        }
        QCOMPARE(tags, QStringList({QStringLiteral("OS/2"), QStringLiteral("cvt "), QStringLiteral("fpgm"),
                                    QStringLiteral("glyf"), QStringLiteral("head"), QStringLiteral("hhea"),
                                    QStringLiteral("hmtx"), QStringLiteral("loca"), QStringLiteral("maxp"),
                                    QStringLiteral("post"), QStringLiteral("prep")}));

        QCOMPARE(u16(subset, tableOf(subset, "maxp").first + 4), glyphCount);
        QCOMPARE(u16(subset, tableOf(subset, "hhea").first + 34), glyphCount);
        QCOMPARE(tableOf(subset, "hmtx").second, 4 * glyphCount);
        QCOMPARE(u16(subset, tableOf(subset, "head").first + 50), 1);
        QCOMPARE(tableOf(subset, "loca").second, 4 * (glyphCount + 1));
        QCOMPARE(u32(subset, tableOf(subset, "post").first), 0x00030000u);
        QCOMPARE(tableOf(subset, "post").second, 32);
    }

    void collectionFacesByIndex()
    {
        const QByteArray sans = readFile(liberation(u"LiberationSans-Regular.ttf"));
        const QByteArray dejaVuSans = readFile(dejaVu(u"DejaVuSans.ttf"));
        const QByteArray collection = collectionOf({sans, dejaVuSans});
        const auto first = TrueTypeFont::fromData(collection, 0, QStringLiteral("col.ttc"));
        const auto second = TrueTypeFont::fromData(collection, 1, QStringLiteral("col.ttc"));
        const auto alone = TrueTypeFont::fromData(dejaVuSans, 0, QStringLiteral("DejaVuSans.ttf"));

        QCOMPARE(first->glyphCount(), 2620);
        QCOMPARE(second->glyphCount(), alone->glyphCount());
        QCOMPARE(second->glyphFor(U'😀'), alone->glyphFor(U'😀'));
        QCOMPARE(second->subset({alone->glyphFor(U'Ω')}), alone->subset({alone->glyphFor(U'Ω')}));
        expectFailure(collection, 2);
        expectFailure(collection, -1);
    }

    void damagedFontsFail_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("faceIndex");

        const QByteArray sans = readFile(liberation(u"LiberationSans-Regular.ttf"));
        if (sans.isEmpty())
            QSKIP("Liberation Sans is not installed");
        auto patched = [&sans](const char *tag, qsizetype at, QByteArray bytes) {
            QByteArray copy = sans;
            copy.replace(tableOf(sans, tag).first + at, bytes.size(), bytes);
            return copy;
        };
        auto patchedDirectory = [&sans](const char *tag, qsizetype field, quint32 value) {
            QByteArray copy = sans;
            for (int i = 0; i < u16(sans, 4); ++i) {
                if (sans.mid(12 + 16 * i, 4) == tag)
                    putU32(copy, 12 + 16 * i + field, value);
            }
            return copy;
        };
        const auto [glyf, glyfLength] = tableOf(sans, "glyf");
        const quint16 eAcuteGlyph = TrueTypeFont::fromData(sans, 0, QString())->glyphFor(U'é');
        const qsizetype eAcuteLocation = tableOf(sans, "loca").first + 4 * eAcuteGlyph;
        const qsizetype eAcute = glyf + u32(sans, eAcuteLocation);
        QByteArray eAcuteCut = sans;
        putU32(eAcuteCut, eAcuteLocation + 4, u32(sans, eAcuteLocation) + 12);

        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("cut inside the offset table") << sans.left(6) << 0;
        QTest::newRow("cut inside the table directory") << sans.left(100) << 0;
        QTest::newRow("cut in the middle of the tables") << sans.left(sans.size() / 2) << 0;
        QTest::newRow("last byte missing") << sans.left(sans.size() - 1) << 0;
        QTest::newRow("CFF outlines") << QByteArray("OTTO").append(sans.mid(4)) << 0;
        QTest::newRow("not a font at all") << QByteArray("%PDF-1.4\n").append(sans.mid(9)) << 0;
        QTest::newRow("a second face of a single font") << sans << 1;
        QTest::newRow("no glyf table, as in a CFF font") << patchedDirectory("glyf", 0, 0x676C7966 + 1) << 0;
        QTest::newRow("a table past the end") << patchedDirectory("hmtx", 8, quint32(sans.size()) - 8) << 0;
        QTest::newRow("a table length overflowing 32 bits") << patchedDirectory("cmap", 12, 0xFFFFFFF0) << 0;
        QTest::newRow("head shorter than its fields") << patchedDirectory("head", 12, 20) << 0;
        QTest::newRow("no glyphs") << patched("maxp", 4, QByteArray(2, '\0')) << 0;
        QTest::newRow("unknown loca format") << patched("head", 50, QByteArray("\0\2", 2)) << 0;
        QTest::newRow("zero units per em") << patched("head", 18, QByteArray(2, '\0')) << 0;
        QTest::newRow("no long horizontal metrics") << patched("hhea", 34, QByteArray(2, '\0')) << 0;
        QTest::newRow("loca going backwards") << patched("loca", 4 * 10, QByteArray(4, '\xFF')) << 0;
        QTest::newRow("loca pointing past glyf") << patched("loca", 4 * 2620, QByteArray(4, '\x7F')) << 0;
        QTest::newRow("no Unicode character map")
            << patched("cmap", 4, QByteArray("\0\2\0\3", 4)).replace(tableOf(sans, "cmap").first + 20, 2,
                                                                        QByteArray("\0\2", 2))
            << 0;
        QTest::newRow("a composite naming a glyph past the count")
            << QByteArray(sans).replace(eAcute + 12, 2, QByteArray("\xFF\xF0", 2)) << 0;
        QTest::newRow("a composite cut off inside its record")
            << eAcuteCut << 0;
    }

    void damagedFontsFail()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, faceIndex);
        expectFailure(data, faceIndex);
    }

    void missingFileFailsNamingIt()
    {
        const QString path = QStringLiteral("/no/such/folder/Tipus.ttf");
        try {
            TrueTypeFont::load(path);
            QFAIL("a missing file was read");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), ExportErrors::FontUnavailable);
            QVERIFY(failure.description().contains(path));
        }
    }

    // Damage wherever it falls either fails cleanly or leaves a font whose
    // answers stay in range; the sanitizer build turns any read outside
    // the data into a failed run.
    void randomDamageNeverReadsOutside()
    {
        const QByteArray sans = readFile(liberation(u"LiberationSans-Regular.ttf"));
        // The directory, the tables before the outlines (cmap and loca among
        // them), and the whole file, in turn.
        const qsizetype regions[] = {12 + 16 * u16(sans, 4), tableOf(sans, "glyf").first, sans.size()};
        QRandomGenerator random(20240611);
        int failures = 0;
        for (int round = 0; round < 600; ++round) {
            QByteArray copy = sans;
            const qsizetype region = regions[round % 3];
            for (int patch = random.bounded(1, 9); patch > 0; --patch)
                copy[random.bounded(region)] = char(random.bounded(256));
            try {
                const auto font = TrueTypeFont::fromData(copy, 0, QStringLiteral("x.ttf"));
                std::vector<quint16> glyphs;
                for (char32_t c = 0; c < 0x400; c += 7) {
                    glyphs.push_back(font->glyphFor(c));
                    QVERIFY(glyphs.back() < font->glyphCount());
                    QVERIFY(font->advanceWidth(glyphs.back()) >= 0);
                }
                QVERIFY(!font->subset(glyphs).isEmpty());
            } catch (const Failure &failure) {
                QCOMPARE(failure.number(), ExportErrors::FontUnavailable);
                ++failures;
            }
        }
        QVERIFY(failures > 0);
    }
};

QTEST_MAIN(TrueTypeFontTest)
#include "test_true_type_font.moc"
