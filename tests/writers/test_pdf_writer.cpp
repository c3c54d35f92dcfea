// The PDF export, read back by poppler's tools and a look at the file's
// outline objects.

#include "ExternalTools.h"
#include "FakeReport.h"

#include "engine/writers/WriteExport.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <map>

using namespace velmora;
using namespace velmora::testing;

namespace {

QString exportPages(PageSource &pages, const QString &target, qint32 first = 2, qint32 second = 2)
{
    ExportRequest request{.formatType = ExportFormat::PDF, .path = target, .pdfFirstOption = first, .pdfSecondOption = second};
    request.pages = &pages;
    writeExport(request, CancelToken());
    return target;
}

QString exportPdf(const QString &folder, qint32 first = 2, qint32 second = 2, int pageCount = 3)
{
    FakePageSource pages(pageCount);
    return exportPages(pages, folder + QStringLiteral("/informe.pdf"), first, second);
}

/// A page showing what is drawn rather than written: a filled box with a
/// border, a thick dashed line, a half-transparent picture, and a text in a
/// character no installed face has.
Page drawingPage(int index)
{
    Page page;
    page.number = index + 1;
    BoxItem box;
    box.rect = QRect(1440, 1440, 2880, 1440);
    box.filled = true;
    box.fillColor = qRgb(0, 0, 255);
    box.borderWidth = 40;
    box.borderColor = qRgb(255, 0, 0);
    page.items.push_back(box);
    page.items.push_back(LineItem{QPoint(1440, 4320), QPoint(10080, 4320), 100, qRgb(0, 128, 0), LineStyle::Dash});
    QImage picture(40, 20, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 0, 0, 255));
    for (int x = 20; x < 40; ++x)
        for (int y = 0; y < 20; ++y)
            picture.setPixel(x, y, qRgba(0, 0, 0, 0));
    page.items.push_back(PictureItem{QRect(1440, 5760, 2880, 1440), picture});
    page.items.push_back(textAt(1440, 7200, 6000, QStringLiteral("Privat: ") + QString(QChar(0xE000)) + QStringLiteral(" fi")));
    return page;
}

/// Page 1 of a PDF as an image, at 72 pixels per inch (a pixel a point).
QImage renderFirstPage(const QString &pdf, const QString &folder)
{
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-f"),
                                         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                         QStringLiteral("-png"), pdf, folder + QStringLiteral("/page")});
    return QImage(folder + QStringLiteral("/page-1.png"));
}

class TitledPages : public FakePageSource {
public:
    using FakePageSource::FakePageSource;
    QString title() const override { return QStringLiteral("Vendes (Lleida) ≥ 10 €"); }
};

QString pdfInfo(const QString &file, const QStringList &extra = {})
{
    return QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), extra + QStringList{file}));
}

QByteArray rawPdf(const QString &file)
{
    QFile pdf(file);
    return pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
}

} // namespace

class PdfWriterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!hasTool(QStringLiteral("pdftotext")))
            QSKIP("poppler-utils is not installed");
    }

    void textCopiesOutAsWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("Catalan accents and l·l") << QStringLiteral("Cèl·lula Martí");
        QTest::newRow("every accented vowel, ç and ñ") << QStringLiteral("Nota: àèéíòóú ç ñ l·l");
        QTest::newRow("braces and backslashes stay text") << QStringLiteral("{\\rtf1 evil}");
        QTest::newRow("a Windows path") << QStringLiteral("C:\\dades\\fitxer");
        QTest::newRow("formula-looking text") << QStringLiteral("=SUM(A1)");
        QTest::newRow("emoji drawn from a fallback face") << QStringLiteral("Festa ") + emoji;
        QTest::newRow("bold heading of the third page") << QStringLiteral("Informe de vendes: pàgina 3");
    }

    void textCopiesOutAsWritten()
    {
        QFETCH(QString, text);
        QTemporaryDir folder;
        const QString pdf = exportPdf(folder.path());
        const QString extracted = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
        QVERIFY2(extracted.contains(text), qPrintable(extracted));
    }

    void pagesTitleAndCreatorAreRight()
    {
        QTemporaryDir folder;
        const QString pdf = exportPdf(folder.path());
        const QString info = pdfInfo(pdf, {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("3")});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))), qPrintable(info));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Title:\\s+Vendes de l'any\\n"))));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Creator:\\s+Velmora\\n"))));
        // A4 is 11906 x 16838 twips = 595.3 x 841.9 points; page 3 is landscape.
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Page\\s+1 size:\\s+595.3 x 841.9 pts"))));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Page\\s+3 size:\\s+841.9 x 595.3 pts"))));
    }

    void fontsAreEmbeddedSubsets()
    {
        QTemporaryDir folder;
        const QString fonts = QString::fromUtf8(runTool(QStringLiteral("pdffonts"), {exportPdf(folder.path())}));
        const QStringList rows = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(rows.size() >= 3); // regular, bold, italic (and the emoji's face)
        for (const QString &row : rows) {
            QVERIFY2(row.contains(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+"))), qPrintable(row));
            const QStringList columns = row.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            // emb, sub and uni columns all "yes".
            QCOMPARE(columns.mid(columns.size() - 5, 3), (QStringList{QStringLiteral("yes"), QStringLiteral("yes"), QStringLiteral("yes")}));
        }
        QVERIFY(fonts.contains(QStringLiteral("LiberationSans-Bold")));
    }

    void optionsChooseVersionAndOutline_data()
    {
        QTest::addColumn<qint32>("first");
        QTest::addColumn<qint32>("second");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<bool>("outline");

        QTest::newRow("2, 2: what the program sets, PDF 1.5 with bookmarks") << 2 << 2 << QByteArray("%PDF-1.5") << true;
        QTest::newRow("0, 0: defaults, the same as 2, 2") << 0 << 0 << QByteArray("%PDF-1.5") << true;
        QTest::newRow("1 first: PDF 1.4") << 1 << 2 << QByteArray("%PDF-1.4") << true;
        QTest::newRow("1 second: no outline") << 2 << 1 << QByteArray("%PDF-1.5") << false;
    }

    void optionsChooseVersionAndOutline()
    {
        QFETCH(qint32, first);
        QFETCH(qint32, second);
        QFETCH(QByteArray, header);
        QFETCH(bool, outline);
        QTemporaryDir folder;
        const QByteArray pdf = rawPdf(exportPdf(folder.path(), first, second));
        QVERIFY(pdf.startsWith(header));
        QCOMPARE(pdf.contains("/Outlines"), outline);
        QCOMPARE(pdf.contains("(Barcelona)"), outline);
    }

    void outlineNestsGroupsAndPointsAtTheirPages()
    {
        QTemporaryDir folder;
        const QByteArray pdf = rawPdf(exportPdf(folder.path()));
        // Outline items are small uncompressed dictionaries: find each by
        // its title and read its parent and destination.
        const auto item = [&](const QByteArray &title) {
            const qsizetype at = pdf.indexOf(QByteArray("/Title (" + title + ")"));
            const qsizetype start = pdf.lastIndexOf("obj", at);
            return pdf.mid(start, pdf.indexOf("endobj", at) - start);
        };
        const QByteArray barcelona = item("Barcelona");
        const QByteArray client = item("Client Alpha");
        QVERIFY2(!barcelona.isEmpty() && !client.isEmpty(), pdf.right(3000).constData());
        const QRegularExpression objectNumber(QStringLiteral("(\\d+) 0 obj"));
        const qsizetype barcelonaStart = pdf.indexOf(barcelona);
        const QByteArray before = pdf.left(barcelonaStart + 3);
        const QString header = QString::fromLatin1(before.mid(before.lastIndexOf('\n', before.size() - 5)));
        const QString barcelonaNumber = objectNumber.match(header).captured(1);
        QVERIFY2(!barcelonaNumber.isEmpty(), qPrintable(header));
        QVERIFY2(client.contains(QByteArray("/Parent " + barcelonaNumber.toLatin1() + " 0 R")), client.constData());
        QVERIFY(barcelona.contains("/Dest"));
        QVERIFY(pdf.contains("/Count"));
        QVERIFY(item("Girona").contains("/Dest"));
    }

    void textStandsWhereTheLayoutPutIt_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<double>("edge");
        QTest::addColumn<bool>("rightEdge");
        // The sample's columns, in points: a left-aligned text starts at its
        // box's left, a right-aligned amount ends at its box's right, which
        // only holds when the widths drawn are the widths measured.
        QTest::newRow("left-aligned city starts at its column") << QStringLiteral("Lleida") << 4320 / 20.0 << false;
        QTest::newRow("right-aligned amount ends at its box's edge") << QStringLiteral("1234.50") << (6480 + 2000) / 20.0 << true;
        QTest::newRow("right-aligned bold heading too") << QStringLiteral("Import") << (6480 + 2000) / 20.0 << true;
        QTest::newRow("an amount after the emoji's face switch") << QStringLiteral("1237.50") << (6480 + 2000) / 20.0 << true;
    }

    void textStandsWhereTheLayoutPutIt()
    {
        QFETCH(QString, word);
        QFETCH(double, edge);
        QFETCH(bool, rightEdge);
        QTemporaryDir folder;
        const std::map<QString, QRectF> boxes = wordBoxes(exportPdf(folder.path()));
        const auto found = boxes.find(word);
        QVERIFY2(found != boxes.end(), qPrintable(word));
        QVERIFY2(std::abs((rightEdge ? found->second.right() : found->second.left()) - edge) < 0.6,
                 qPrintable(QStringLiteral("%1: %2 .. %3").arg(word).arg(found->second.left()).arg(found->second.right())));
    }

    void boxesLinesAndPicturesAreDrawn_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("expected");
        // Positions in points (twips / 20) on page 1, away from edges.
        QTest::newRow("the box is filled") << QPoint(144, 108) << QColor(0, 0, 255);
        QTest::newRow("its border is drawn over the fill") << QPoint(144, 72) << QColor(255, 0, 0);
        QTest::newRow("the dashed line starts with a dash") << QPoint(74, 216) << QColor(0, 128, 0);
        QTest::newRow("the picture's opaque half") << QPoint(100, 324) << QColor(255, 0, 0);
        QTest::newRow("its transparent half shows the paper") << QPoint(200, 324) << QColor(255, 255, 255);
        QTest::newRow("nothing beside the box") << QPoint(300, 108) << QColor(255, 255, 255);
    }

    void boxesLinesAndPicturesAreDrawn()
    {
        QFETCH(QPoint, at);
        QFETCH(QColor, expected);
        QTemporaryDir folder;
        FakePageSource pages(1, drawingPage);
        const QString target = exportPages(pages, folder.path() + QStringLiteral("/dibuix.pdf"));
        const QImage image = renderFirstPage(target, folder.path());
        QVERIFY(!image.isNull());
        const QColor seen = image.pixelColor(at);
        const int distance = std::abs(seen.red() - expected.red()) + std::abs(seen.green() - expected.green())
            + std::abs(seen.blue() - expected.blue());
        QVERIFY2(distance < 60, qPrintable(seen.name()));
    }

    void aCharacterNoFaceHasStillCopiesOut()
    {
        QTemporaryDir folder;
        FakePageSource pages(1, drawingPage);
        const QString target = exportPages(pages, folder.path() + QStringLiteral("/privat.pdf"));
        const QString extracted = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {target, QStringLiteral("-")}));
        QVERIFY2(extracted.contains(QStringLiteral("Privat: ") + QString(QChar(0xE000)) + QStringLiteral(" fi")),
                 qPrintable(extracted));
    }

    void aTitleBeyondAsciiReadsBackWhole()
    {
        QTemporaryDir folder;
        TitledPages pages(1);
        const QString target = exportPages(pages, folder.path() + QStringLiteral("/titol.pdf"));
        const QString info = pdfInfo(target);
        QVERIFY2(info.contains(QStringLiteral("Vendes (Lleida) ≥ 10 €\n")), qPrintable(info));
    }

    void anotherReaderFindsNoStructuralFault_data()
    {
        QTest::addColumn<int>("pageKind");
        QTest::addColumn<qint32>("second");
        QTest::newRow("text, fonts and outline") << 0 << 2;
        QTest::newRow("text without outline") << 0 << 1;
        QTest::newRow("boxes, lines, a masked picture, ActualText") << 1 << 2;
    }

    void anotherReaderFindsNoStructuralFault()
    {
        if (!hasTool(QStringLiteral("qpdf")))
            QSKIP("qpdf is not installed");
        QFETCH(int, pageKind);
        QFETCH(qint32, second);
        QTemporaryDir folder;
        FakePageSource pages(3, pageKind == 0 ? samplePage : drawingPage);
        const QString target = exportPages(pages, folder.path() + QStringLiteral("/revisat.pdf"), 2, second);
        // qpdf parses every object, follows the cross-reference table and
        // decodes every stream; it exits 0 only when nothing is wrong.
        const QString report = QString::fromUtf8(runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), target}));
        QVERIFY2(report.contains(QStringLiteral("No syntax or stream encoding errors found")), qPrintable(report));
    }

    void aReportOfOnePageHasOnePage()
    {
        QTemporaryDir folder;
        QVERIFY(pdfInfo(exportPdf(folder.path(), 2, 2, 1)).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    }
};

QTEST_GUILESS_MAIN(PdfWriterTest)
#include "test_pdf_writer.moc"
