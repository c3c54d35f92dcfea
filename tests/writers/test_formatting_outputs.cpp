// Colours, fills, borders and links of the page model, read back from every
// output by readers written by others: xlrd, qpdf, poppler and LibreOffice.

#include "ExternalTools.h"
#include "FakeReport.h"

#include "engine/writers/Biff8Palette.h"
#include "engine/writers/WriteExport.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

constexpr QRgb red = qRgb(255, 0, 0), shade = qRgb(0xD9, 0xD9, 0xD9), unusual = qRgb(0x12, 0x34, 0x56);
const QString webAddress = QStringLiteral("https://exemple.cat/producte?codi=FER-0001");
const QString mailAddress = QStringLiteral("mailto:vendes@exemple.cat");

TextItem coloured(TextItem item, QRgb colour)
{
    item.color = colour;
    return item;
}

TextItem linked(TextItem item, const QString &link)
{
    item.link = link;
    return item;
}

/// One page: a shaded line with a red negative amount that links to the
/// web, a plain line underlined by a rule, a line in a colour Excel's
/// palette lacks, and a mail link.
Page formattedPage(int)
{
    Page page;
    BoxItem band;
    band.rect = QRect(0, 980, 11906, 300);
    band.borderWidth = 0;
    band.filled = true;
    band.fillColor = shade;
    page.items.push_back(band);
    page.items.push_back(coloured(textAt(1440, 1000, 2800, QStringLiteral("Negatiu")), red));
    page.items.push_back(linked(coloured(fieldAt(6480, 1000, 2000, QStringLiteral("-12,50"),
                                                 Value::currency(*Currency::fromDouble(-12.5)), QStringLiteral("#,##0.00")),
                                         red),
                                webAddress));
    page.items.push_back(textAt(1440, 1400, 2800, QStringLiteral("Positiu")));
    page.items.push_back(LineItem{QPoint(1000, 1660), QPoint(9000, 1660), 20, qRgb(0, 0, 0), LineStyle::Solid});
    page.items.push_back(coloured(textAt(1440, 1800, 2800, QStringLiteral("Estrany")), unusual));
    page.items.push_back(linked(textAt(1440, 2200, 2800, QStringLiteral("Escriviu-nos")), mailAddress));
    return page;
}

QString exportTo(const QString &folder, qint32 format, const QString &name)
{
    FakePageSource pages(1, formattedPage, {});
    const QString target = folder + u'/' + name;
    ExportRequest request{.formatType = format, .path = target};
    request.pages = &pages;
    writeExport(request, CancelToken());
    return target;
}

/// Per row: the first cell's font colour and fill (RGB lists, or null),
/// bottom border style; and every hyperlink as "row,col" -> URL.
const QString xlsScript = QStringLiteral(R"(
import json, sys, xlrd
book = xlrd.open_workbook(sys.argv[1], formatting_info=True)
s = book.sheet_by_index(0)
def rgb(i):
    c = book.colour_map.get(i)
    return list(c) if c else None
rows = []
for r in range(s.nrows):
    x = s.cell(r, 0)
    xf = book.xf_list[x.xf_index]
    font = book.font_list[xf.font_index]
    fill = rgb(xf.background.pattern_colour_index) if xf.background.fill_pattern == 1 else None
    rows.append({"text": x.value, "colour": rgb(font.colour_index), "fill": fill,
                 "bottom": xf.border.bottom_line_style})
links = {"%d,%d" % (h.frowx, h.fcolx): h.url_or_path.rstrip("\x00") for h in s.hyperlink_list}
print(json.dumps({"rows": rows, "links": links}))
)");

/// Antialiased red text is mostly pinkish on a page rendered by others.
constexpr int redTolerance = 100;

QJsonArray rgbOf(QRgb colour) { return {qRed(colour), qGreen(colour), qBlue(colour)}; }

/// Page 1 of a PDF at 100 dpi.
QImage rendered(const QString &pdf, const QString &folder)
{
    const QString prefix = folder + QStringLiteral("/bild");
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
                                         QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

/// Pixels within `tolerance` of `colour` in each part, in the horizontal
/// band of the page from `top` to `bottom` twips (the page is A4 portrait).
int pixelsNear(const QImage &image, QRgb colour, int tolerance, int top = 0, int bottom = 16838)
{
    const double perTwip = image.height() / 16838.0;
    int count = 0;
    for (int y = int(top * perTwip); y < int(bottom * perTwip) && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) <= tolerance && std::abs(qGreen(p) - qGreen(colour)) <= tolerance
                && std::abs(qBlue(p) - qBlue(colour)) <= tolerance)
                ++count;
        }
    return count;
}

void checkColoursOnPage(const QImage &page)
{
    QVERIFY(!page.isNull());
    QVERIFY2(pixelsNear(page, red, redTolerance, 980, 1280) > 20, "no red text on the shaded line");
    QVERIFY2(pixelsNear(page, shade, 6, 980, 1280) > 500, "the line is not shaded");
    QCOMPARE(pixelsNear(page, red, redTolerance, 1380, 1700), 0);
    QVERIFY2(pixelsNear(page, shade, 6, 1380, 1640) < 50, "the next line is shaded too"); // black text's edges are grey
}

} // namespace

class FormattingOutputsTest : public QObject {
    Q_OBJECT
private slots:
    void excelLayoutKeepsColoursFillsBordersAndLinks()
    {
        if (!hasTool(QStringLiteral("/usr/bin/python3")) || runTool(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import xlrd; print(1)")}).isEmpty())
            QSKIP("xlrd is not installed (package python3-xlrd)");
        QTemporaryDir folder;
        const QJsonObject book = runPython(xlsScript, exportTo(folder.path(), 29, QStringLiteral("colors.xls"))).object();
        const QJsonArray rows = book[QStringLiteral("rows")].toArray();
        QCOMPARE(rows.size(), 4);
        const auto row = [&](int r) { return rows[r].toObject(); };
        QCOMPARE(row(0)[QStringLiteral("text")].toString(), QStringLiteral("Negatiu"));
        QCOMPARE(row(0)[QStringLiteral("colour")].toArray(), rgbOf(red));
        QCOMPARE(row(0)[QStringLiteral("fill")].toArray(), rgbOf(shade));
        QCOMPARE(row(0)[QStringLiteral("bottom")].toInt(), 0);
        QVERIFY(row(1)[QStringLiteral("fill")].isNull());
        QCOMPARE(row(1)[QStringLiteral("bottom")].toInt(), 1); // thin, from the rule under it
        QCOMPARE(row(2)[QStringLiteral("colour")].toArray(), rgbOf(unusual));
        const QJsonObject links = book[QStringLiteral("links")].toObject();
        QCOMPARE(links.size(), 2);
        QCOMPARE(links[QStringLiteral("3,0")].toString(), mailAddress);
        QVERIFY2(std::any_of(links.begin(), links.end(), [](const QJsonValue &v) { return v.toString() == webAddress; }),
                 QJsonDocument(links).toJson().constData());
    }

    void pdfCarriesColoursAndLinkAnnotations()
    {
        if (!hasTool(QStringLiteral("qpdf")) || !hasTool(QStringLiteral("pdftoppm")))
            QSKIP("qpdf or poppler-utils is not installed");
        QTemporaryDir folder;
        const QString pdf = exportTo(folder.path(), 31, QStringLiteral("colors.pdf"));
        QProcess check;
        check.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
        QVERIFY(check.waitForFinished(60000));
        QCOMPARE(check.exitCode(), 0);
        const QByteArray json = runTool(QStringLiteral("qpdf"), {QStringLiteral("--json"), pdf});
        QVERIFY(json.contains(webAddress.toUtf8()));
        QVERIFY(json.contains(mailAddress.toUtf8()));
        QVERIFY(json.contains("/Link"));
        const QByteArray text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const char *word : {"Negatiu", "-12,50", "Positiu", "Estrany", "Escriviu-nos"})
            QVERIFY2(text.contains(QByteArray(word)), word);
        checkColoursOnPage(rendered(pdf, folder.path()));
    }

    void wordAndExcelShowTheColoursInLibreOffice_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("Word") << 14 << "colors.doc";
        QTest::newRow("Excel layout") << 29 << "colors.xls";
    }
    void wordAndExcelShowTheColoursInLibreOffice()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        if (!hasTool(QStringLiteral("libreoffice")) || !hasTool(QStringLiteral("pdftoppm")))
            QSKIP("LibreOffice or poppler-utils is not installed");
        QTemporaryDir folder;
        const QString file = exportTo(folder.path(), format, name);
        if (format == 14) {
            QFile rtf(file);
            QVERIFY(rtf.open(QIODevice::ReadOnly));
            const QByteArray body = rtf.readAll();
            QVERIFY(body.contains(QByteArray("HYPERLINK \"" + webAddress.toUtf8() + '"')));
            QVERIFY(body.contains(QByteArray("HYPERLINK \"" + mailAddress.toUtf8() + '"')));
        }
        const QString pdf = convertWithLibreOffice(file, QStringLiteral("pdf"), QStringLiteral("pdf"), folder.path());
        QVERIFY(!pdf.isEmpty());
        const QImage page = rendered(pdf, folder.path());
        QVERIFY(!page.isNull());
        QVERIFY2(pixelsNear(page, red, redTolerance) > 10, "no red text");
        QVERIFY2(pixelsNear(page, shade, 6) > 100, "no shaded line");
    }

    void paletteKeepsStandardColoursAndSharesTheNearestWhenFull_data()
    {
        QTest::addColumn<int>("strangers"); // colours outside the standard palette, before the probes
        QTest::addColumn<uint>("probe");
        QTest::addColumn<int>("index");
        QTest::newRow("a standard colour keeps its place") << 0 << uint(qRgb(255, 0, 0)) << 10;
        QTest::newRow("the first stranger takes the last place") << 0 << uint(qRgb(1, 2, 3)) << 63;
        QTest::newRow("the 48th stranger takes the last free place") << 47 << uint(qRgb(1, 2, 3)) << 16;
        QTest::newRow("past 48 strangers black's neighbour shares black") << 48 << uint(qRgb(1, 2, 3)) << 8;
        QTest::newRow("past 48 strangers a near red shares red") << 60 << uint(qRgb(250, 5, 5)) << 10;
    }
    void paletteKeepsStandardColoursAndSharesTheNearestWhenFull()
    {
        QFETCH(int, strangers);
        QFETCH(uint, probe);
        QFETCH(int, index);
        Biff8Palette palette;
        palette.note(qRgb(255, 0, 0));
        // Strangers far from the probes: light blues.
        for (int i = 0; i < strangers; ++i)
            palette.note(qRgb(100 + i, 150 + i / 2, 250));
        palette.note(probe);
        const Biff8Palette::Settled settled = palette.settle();
        QCOMPARE(int(settled.indexOf(probe)), index);
        QCOMPARE(settled.record.isEmpty(), strangers == 0 && probe == qRgb(255, 0, 0));
    }
};

QTEST_MAIN(FormattingOutputsTest)
#include "test_formatting_outputs.moc"
