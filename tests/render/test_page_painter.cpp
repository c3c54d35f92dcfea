#include "engine/render/PagePainter.h"
#include "engine/render/PageTextSearch.h"

#include <QPainter>
#include <QTest>

using namespace velmora;

namespace {

constexpr double screenScale = 1.0 / 15; // 96 dpi at 100 %
constexpr double zoomedScale = 2.0 / 15; // 96 dpi at 200 %

Page pageWith(PageItem item)
{
    Page page;
    page.size = QSize(6000, 4000);
    page.items.push_back(std::move(item));
    return page;
}

QImage render(const Page &page, double scale)
{
    QImage image(QSize(int(page.size.width() * scale), int(page.size.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PagePainter::paint(painter, page, scale);
    return image;
}

bool isInk(QRgb pixel) { return qGray(pixel) < 200; }

// The smallest rectangle holding every dark pixel.
QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isInk(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect scaled(const QRect &twips, double scale)
{
    return QRect(QPoint(int(twips.left() * scale), int(twips.top() * scale)),
                 QPoint(int((twips.right() + 1) * scale) - 1, int((twips.bottom() + 1) * scale) - 1));
}

TextItem textItem(const QString &text, HorizontalAlignment alignment)
{
    TextItem item;
    item.box = QRect(1500, 1500, 3000, 300);
    item.baseline = 240;
    item.text = text;
    item.font.pointSize = 10;
    item.alignment = alignment;
    return item;
}

} // namespace

class TestPagePainter : public QObject {
    Q_OBJECT
private slots:
    void textStaysInItsBox_data();
    void textStaysInItsBox();
    void alignmentPlacesInkAtTheRightEdge_data();
    void alignmentPlacesInkAtTheRightEdge();
    void baselineCarriesCapitals_data();
    void baselineCarriesCapitals();
    void lineIsDrawnWhereItIs_data();
    void lineIsDrawnWhereItIs();
    void boxIsFilledAndBordered_data();
    void boxIsFilledAndBordered();
    void pictureFillsItsRect();
    void textColourIsUsed();
    void textKeepsItsWidthAtEveryZoom();
    void searchFindsEveryOccurrence_data();
    void searchFindsEveryOccurrence();
    void matchRectCoversTheMatchedWord();
};

void TestPagePainter::textStaysInItsBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("scale");
    QTest::newRow("short text at 100 %") << QStringLiteral("Total") << screenScale;
    QTest::newRow("short text at 200 %") << QStringLiteral("Total") << zoomedScale;
    QTest::newRow("too long for the box is clipped, 100 %")
        << QStringLiteral("Aquest text és molt més llarg que la casella que el conté") << screenScale;
    QTest::newRow("too long for the box is clipped, 200 %")
        << QStringLiteral("Aquest text és molt més llarg que la casella que el conté") << zoomedScale;
}

void TestPagePainter::textStaysInItsBox()
{
    QFETCH(QString, text);
    QFETCH(double, scale);
    const TextItem item = textItem(text, HorizontalAlignment::Left);
    const QRect ink = inkBounds(render(pageWith(item), scale));
    QVERIFY2(!ink.isEmpty(), "the text left no ink");
    QVERIFY2(scaled(item.box, scale).adjusted(-1, -1, 1, 1).contains(ink), "ink outside the text's box");
}

void TestPagePainter::alignmentPlacesInkAtTheRightEdge_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("expectedInkCentre"); // as a fraction of the box width
    // "Import" is about a third of the 3000-twip box at 10 pt, so its centre
    // tells the three alignments apart.
    QTest::newRow("left hugs the left edge, 100 %") << int(HorizontalAlignment::Left) << screenScale << 0.0;
    QTest::newRow("right hugs the right edge, 100 %") << int(HorizontalAlignment::Right) << screenScale << 1.0;
    QTest::newRow("right hugs the right edge, 200 %") << int(HorizontalAlignment::Right) << zoomedScale << 1.0;
    QTest::newRow("centre sits in the middle, 200 %") << int(HorizontalAlignment::Center) << zoomedScale << 0.5;
    QTest::newRow("justified single lines read as left") << int(HorizontalAlignment::Justify) << screenScale << 0.0;
}

void TestPagePainter::alignmentPlacesInkAtTheRightEdge()
{
    QFETCH(int, alignment);
    QFETCH(double, scale);
    QFETCH(double, expectedInkCentre);
    const TextItem item = textItem(QStringLiteral("Import"), HorizontalAlignment(alignment));
    const QRect ink = inkBounds(render(pageWith(item), scale));
    const QRect box = scaled(item.box, scale);
    const int tolerance = int(3 * scale * 15) + 1; // side bearings: a few pixels at most
    if (expectedInkCentre == 0.0)
        QVERIFY2(qAbs(ink.left() - box.left()) <= tolerance, qPrintable(QStringLiteral("ink starts at %1, box at %2").arg(ink.left()).arg(box.left())));
    else if (expectedInkCentre == 1.0)
        QVERIFY2(qAbs(ink.right() - box.right()) <= tolerance, qPrintable(QStringLiteral("ink ends at %1, box at %2").arg(ink.right()).arg(box.right())));
    else
        QVERIFY(qAbs(ink.center().x() - box.center().x()) <= tolerance);
}

void TestPagePainter::baselineCarriesCapitals_data()
{
    QTest::addColumn<double>("scale");
    QTest::newRow("100 %") << screenScale;
    QTest::newRow("200 %") << zoomedScale;
}

void TestPagePainter::baselineCarriesCapitals()
{
    QFETCH(double, scale);
    const TextItem item = textItem(QStringLiteral("HEH"), HorizontalAlignment::Left);
    const QRect ink = inkBounds(render(pageWith(item), scale));
    const double baseline = (item.box.top() + item.baseline) * scale;
    // Capitals have no descenders: their ink ends on the baseline.
    QVERIFY2(qAbs(ink.bottom() + 1 - baseline) <= 1.5, qPrintable(QStringLiteral("ink bottom %1, baseline %2").arg(ink.bottom()).arg(baseline)));
}

void TestPagePainter::lineIsDrawnWhereItIs_data()
{
    QTest::addColumn<double>("scale");
    QTest::newRow("100 %") << screenScale;
    QTest::newRow("200 %") << zoomedScale;
}

void TestPagePainter::lineIsDrawnWhereItIs()
{
    QFETCH(double, scale);
    LineItem line;
    line.from = QPoint(600, 1500);
    line.to = QPoint(5400, 1500);
    line.width = 30;
    const QRect ink = inkBounds(render(pageWith(line), scale));
    const QRect expected = QRectF(600 * scale, 1485 * scale, 4800 * scale, 30 * scale).toAlignedRect();
    QVERIFY2(expected.adjusted(-1, -1, 1, 1).contains(ink), "line ink off its place");
    QVERIFY(ink.width() >= expected.width() - 2);
}

void TestPagePainter::boxIsFilledAndBordered_data()
{
    QTest::addColumn<double>("scale");
    QTest::newRow("100 %") << screenScale;
    QTest::newRow("200 %") << zoomedScale;
}

void TestPagePainter::boxIsFilledAndBordered()
{
    QFETCH(double, scale);
    BoxItem box;
    box.rect = QRect(1500, 1500, 1500, 900);
    box.borderWidth = 30;
    box.borderColor = qRgb(0, 0, 128);
    box.filled = true;
    box.fillColor = qRgb(255, 224, 192);
    const QImage image = render(pageWith(box), scale);
    const QRect device = scaled(box.rect, scale);
    QCOMPARE(image.pixel(device.center()), box.fillColor);
    QCOMPARE(image.pixel(device.left() + 1, device.center().y()), box.borderColor);
    QCOMPARE(image.pixel(device.left() - 2, device.center().y()), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(device.center().x(), device.bottom() + 2), qRgb(255, 255, 255));
}

void TestPagePainter::pictureFillsItsRect()
{
    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(qRgb(200, 0, 0));
    PictureItem picture{QRect(1500, 1500, 1500, 750), red};
    const QImage image = render(pageWith(picture), zoomedScale);
    const QRect device = scaled(picture.rect, zoomedScale);
    QCOMPARE(image.pixel(device.topLeft() + QPoint(2, 2)), qRgb(200, 0, 0));
    QCOMPARE(image.pixel(device.bottomRight() - QPoint(2, 2)), qRgb(200, 0, 0));
    QCOMPARE(image.pixel(device.right() + 3, device.center().y()), qRgb(255, 255, 255));
}

void TestPagePainter::textColourIsUsed()
{
    TextItem item = textItem(QStringLiteral("█████"), HorizontalAlignment::Left);
    item.color = qRgb(0, 0, 255);
    item.font.pointSize = 20;
    item.box.setHeight(600);
    item.baseline = 500;
    const QImage image = render(pageWith(item), zoomedScale);
    const QRect ink = inkBounds(image);
    const QRgb middle = image.pixel(ink.center());
    QVERIFY2(qBlue(middle) > 200 && qRed(middle) < 60, "text not drawn in its colour");
}

void TestPagePainter::textKeepsItsWidthAtEveryZoom()
{
    // The same line must not grow or shrink relative to the page with the
    // zoom, or the screen would break lines where the printer does not.
    const TextItem item = textItem(QStringLiteral("Facturació 2023"), HorizontalAlignment::Left);
    const double atHundred = inkBounds(render(pageWith(item), screenScale)).width() / screenScale;
    const double atFourHundred = inkBounds(render(pageWith(item), 4 * screenScale)).width() / (4 * screenScale);
    QVERIFY2(qAbs(atHundred - atFourHundred) <= 2 / screenScale,
             qPrintable(QStringLiteral("%1 vs %2 twips").arg(atHundred).arg(atFourHundred)));
}

void TestPagePainter::searchFindsEveryOccurrence_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("expected");
    const QStringList lines{QStringLiteral("Barcelona"), QStringLiteral("Girona i Barcelona"), QStringLiteral("Lleida")};
    QTest::newRow("one per line where it appears") << lines << QStringLiteral("barcelona") << 2;
    QTest::newRow("case does not matter") << lines << QStringLiteral("LLEIDA") << 1;
    QTest::newRow("twice on one line counts twice") << QStringList{QStringLiteral("ona ona")} << QStringLiteral("ona") << 2;
    QTest::newRow("absent text finds nothing") << lines << QStringLiteral("Tarragona") << 0;
    QTest::newRow("empty search finds nothing") << lines << QString() << 0;
}

void TestPagePainter::searchFindsEveryOccurrence()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, needle);
    QFETCH(int, expected);
    Page page;
    for (int i = 0; i < lines.size(); ++i) {
        TextItem item = textItem(lines[i], HorizontalAlignment::Left);
        item.box.moveTop(300 * (i + 1));
        page.items.emplace_back(item);
    }
    page.items.emplace_back(LineItem{});
    QCOMPARE(int(PageTextSearch::find(page, needle).size()), expected);
}

void TestPagePainter::matchRectCoversTheMatchedWord()
{
    const TextItem item = textItem(QStringLiteral("Total Girona"), HorizontalAlignment::Right);
    const auto matches = PageTextSearch::find(pageWith(item), QStringLiteral("girona"));
    QCOMPARE(matches.size(), size_t(1));
    const QRectF rect = matches.front().rect;
    QVERIFY2(qAbs(rect.right() - (item.box.x() + item.box.width())) < 1, "the word ends the right-aligned line");
    QVERIFY(rect.left() > item.box.x() + item.box.width() / 2);
    QVERIFY(rect.top() >= item.box.top() - 1 && rect.bottom() <= item.box.bottom() + 60);
}

QTEST_MAIN(TestPagePainter)
#include "test_page_painter.moc"
