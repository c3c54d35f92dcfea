// The chart's page items in each output, on a hand-made page: the painter
// fills paths where they are and draws no table; the PDF content has the
// path operators; Word gets one picture and the chart's words inside it;
// the text and Excel outputs get the table instead of the scattered labels.

#include "engine/pdf/PdfFontSet.h"
#include "engine/pdf/PdfImageSet.h"
#include "engine/pdf/PdfObjectWriter.h"
#include "engine/pdf/PdfPageContent.h"
#include "engine/render/PagePainter.h"
#include "engine/writers/ChartPicture.h"
#include "engine/writers/ChartTables.h"
#include "engine/writers/PlainTextWriter.h"
#include "engine/writers/RtfPageBody.h"
#include "engine/writers/RtfStyleTables.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace velmora;

namespace {

const QRect chartRect(1440, 1440, 5760, 2880); // 4 × 2 inches, one inch in
constexpr QRgb wedgeColour = 0xff1f3b5c;

TextItem label(const QString &text, QRect box)
{
    TextItem t;
    t.text = text;
    t.box = box;
    t.baseline = 160;
    return t;
}

/// A page with a chart (a filled triangle, a scattered label) and a text of
/// the report outside it.
Page chartPage()
{
    Page page;
    page.size = QSize(11906, 16838);
    ChartValuesItem values;
    values.rect = chartRect;
    values.title = QStringLiteral("Vendes per país");
    values.categoryTitle = QStringLiteral("País");
    values.series = {QStringLiteral("Vendes")};
    values.categories = {QStringLiteral("Espanya"), QStringLiteral("Suïssa")};
    values.valueFormat = QStringLiteral("#,##0");
    values.numbers = {{2018692.0}, {47242.0}};
    values.cellFormat = QStringLiteral("#,##0");
    page.items.emplace_back(values);
    PathItem triangle;
    triangle.moveTo(QPointF(1440, 4320));
    triangle.lineTo(QPointF(7200, 4320));
    triangle.lineTo(QPointF(4320, 1440));
    triangle.close();
    triangle.filled = true;
    triangle.fillColor = wedgeColour;
    triangle.stroked = false;
    page.items.emplace_back(triangle);
    page.items.emplace_back(label(QStringLiteral("2.500.000"), QRect(1500, 1500, 1000, 200)));
    page.items.emplace_back(label(QStringLiteral("Fora del gràfic"), QRect(1440, 6000, 3000, 240)));
    return page;
}

} // namespace

class ChartOutputsTest : public QObject {
    Q_OBJECT

private slots:
    void painterFillsPathsWhereTheyAre()
    {
        const Page page = chartPage();
        QImage image(page.size / 20, QImage::Format_RGB32); // a point a pixel
        image.fill(Qt::white);
        QPainter painter(&image);
        PagePainter::paint(painter, page, 1.0 / 20);
        painter.end();
        QCOMPARE(image.pixel(4320 / 20, 3800 / 20), wedgeColour); // inside the triangle
        QCOMPARE(image.pixel(1600 / 20, 2400 / 20), qRgb(255, 255, 255)); // beside it, in the chart
    }

    void pdfContentHasThePathOperators()
    {
        QByteArray file;
        pdf::PdfObjectWriter writer([&](QByteArrayView bytes) { file.append(bytes.data(), bytes.size()); }, "1.7");
        pdf::PdfFontSet fonts(writer);
        pdf::PdfImageSet images(writer);
        pdf::PdfPageContent content(fonts, images);
        Page page;
        PathItem arc;
        arc.addArc(QPointF(2000, 2000), 1000, 0, 360, false);
        arc.close();
        arc.filled = true;
        arc.fillColor = wedgeColour;
        arc.strokeColor = qRgb(255, 255, 255);
        page.items.emplace_back(arc);
        page.items.emplace_back(ChartValuesItem{});
        const QByteArray ops = content.build(page, 16838);
        QCOMPARE(ops.count(" c "), 4); // a circle in four cubic pieces
        QVERIFY(ops.contains(" m "));
        QVERIFY(ops.contains("h 1 j 1 J B 0 j 0 J")); // filled and outlined, round joins only for it
        QVERIFY(ops.contains("rg") && ops.contains("RG"));
    }

    void wordGetsOnePictureWithTheChartsWordsInIt()
    {
        const Page page = chartPage();
        const ChartPictures pictures(page);
        QCOMPARE(pictures.pictures().size(), size_t(1));
        const PictureItem &picture = pictures.pictures().front();
        QCOMPARE(picture.rect, chartRect);
        QCOMPARE(picture.image.width(), 1200); // 4 inches at 300 dots per inch
        QCOMPARE(qAlpha(picture.image.pixel(5, 5)), 0); // clear where nothing is drawn
        QCOMPARE(QColor(picture.image.pixel(600, 500)).rgb(), wedgeColour);
        const Page rest = pictures.withoutCharts(page);
        QCOMPARE(rest.items.size(), size_t(1)); // only the text outside the chart
        RtfStyleTables tables;
        const QByteArray rtf = RtfPageBody(tables).of(page);
        QCOMPARE(rtf.count("\\pngblip"), 1);
        QVERIFY(!rtf.contains("2.500.000"));
        QVERIFY(rtf.contains("Fora del gr"));
    }

    void textAndSpreadsheetsGetTheTable()
    {
        const QStringList lines = PlainTextWriter::pageLines(chartPage());
        const QString text = lines.join(u'\n');
        QVERIFY(!text.contains(QStringLiteral("2.500.000")));
        QStringList simplified;
        for (const QString &line : lines)
            if (!line.trimmed().isEmpty())
                simplified << line.simplified();
        QCOMPARE(simplified, (QStringList{QStringLiteral("Vendes per país"), QStringLiteral("País Vendes"),
                                          QStringLiteral("Espanya 2.018.692"), QStringLiteral("Suïssa 47.242"),
                                          QStringLiteral("Fora del gràfic")}));
        const std::optional<Page> tabulated = pageWithChartTables(chartPage());
        QVERIFY(tabulated);
        int typed = 0;
        for (const PageItem &item : tabulated->items)
            if (const auto *t = std::get_if<TextItem>(&item); t && t->value.type() == ValueType::Number) {
                ++typed;
                QCOMPARE(t->cellFormat, QStringLiteral("#,##0"));
            }
        QCOMPARE(typed, 2);
        QVERIFY(!pageWithChartTables(Page{}));
    }
};

QTEST_MAIN(ChartOutputsTest)
#include "test_chart_outputs.moc"
