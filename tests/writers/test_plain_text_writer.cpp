// The text export's character grid: 144 twips a column, 240 a line.

#include "FakeReport.h"

#include "engine/writers/PlainTextWriter.h"
#include "engine/writers/WriteExport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::Page)

namespace {

/// A text whose baseline is exactly `baseline` twips from the page top.
TextItem onBaseline(int left, int baseline, int width, const QString &text,
                    HorizontalAlignment alignment = HorizontalAlignment::Left)
{
    TextItem item = textAt(left, baseline - 190, width, text, alignment);
    return item;
}

Page pageOf(std::initializer_list<TextItem> texts)
{
    Page page;
    for (const TextItem &text : texts)
        page.items.push_back(text);
    return page;
}

} // namespace

class PlainTextWriterTest : public QObject {
    Q_OBJECT

private slots:
    void pageLines_data()
    {
        QTest::addColumn<Page>("page");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("left text at 1440 twips starts in column 10")
            << pageOf({onBaseline(1440, 240, 1000, QStringLiteral("Nom"))})
            << QStringList{QString(), QStringLiteral("          Nom")};
        QTest::newRow("baseline 720 is the fourth line (720 / 240 = 3)")
            << pageOf({onBaseline(0, 720, 1000, QStringLiteral("a"))})
            << QStringList{QString(), QString(), QString(), QStringLiteral("a")};
        QTest::newRow("right text ends at its box's right edge: 1440 + 1440 twips = column 20")
            << pageOf({onBaseline(1440, 0, 1440, QStringLiteral("12,50"), HorizontalAlignment::Right)})
            << QStringList{QStringLiteral("               12,50")};
        QTest::newRow("centred text sits around the box centre (column 10)")
            << pageOf({onBaseline(0, 0, 2880, QStringLiteral("abcd"), HorizontalAlignment::Center)})
            << QStringList{QStringLiteral("        abcd")};
        QTest::newRow("a text reaching into the next moves right, one blank between")
            << pageOf({onBaseline(0, 0, 1000, QStringLiteral("Llarguíssim")), onBaseline(720, 0, 500, QStringLiteral("x"))})
            << QStringList{QStringLiteral("Llarguíssim x")};
        QTest::newRow("baselines within 40 twips share a line")
            << pageOf({onBaseline(0, 480, 500, QStringLiteral("a")), onBaseline(720, 500, 500, QStringLiteral("b"))})
            << QStringList{QString(), QString(), QStringLiteral("a    b")};
        QTest::newRow("baselines closer than a grid line keep a line each")
            << pageOf({onBaseline(0, 480, 500, QStringLiteral("a")), onBaseline(0, 600, 500, QStringLiteral("b"))})
            << QStringList{QString(), QString(), QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("control characters become blanks, trailing blanks go")
            << pageOf({onBaseline(0, 0, 500, QStringLiteral("a\tb\nc  "))}) << QStringList{QStringLiteral("a b c")};
        QTest::newRow("an emoji takes one column")
            << pageOf({onBaseline(0, 0, 500, emoji), onBaseline(288, 0, 500, QStringLiteral("z"))})
            << QStringList{emoji + QStringLiteral(" z")};
        QTest::newRow("a page without text has no lines") << Page() << QStringList();
    }

    void pageLines()
    {
        QFETCH(Page, page);
        QFETCH(QStringList, lines);
        QCOMPARE(PlainTextWriter::pageLines(page), lines);
    }

    void exportSeparatesPagesWithOneFormFeedInUtf8()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("informe.txt"));
        FakePageSource pages(3);
        ExportRequest request{.formatType = ExportFormat::Text, .path = target};
        request.pages = &pages;
        writeExport(request, CancelToken());

        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QStringList pagesText = text.split(u'\f');
        QCOMPARE(pagesText.size(), 3);
        QVERIFY(text.contains(QStringLiteral("Cèl·lula Martí")));
        QVERIFY(text.contains(QStringLiteral("{\\rtf1 evil}")));
        QVERIFY(text.contains(QStringLiteral("Festa ") + emoji));
        for (const QString &line : text.split(u'\n'))
            QVERIFY2(!line.endsWith(u' '), qPrintable(line));
        // The amount column is right-aligned: every amount ends in the same
        // column, counted in characters (the emoji is two UTF-16 units).
        const QStringList lines = pagesText.first().split(u'\n');
        QList<qsizetype> amountEnds;
        for (const QString &line : lines) {
            if (line.contains(QStringLiteral("Lleida"))) {
                const qsizetype end = line.indexOf(u'.', line.indexOf(QStringLiteral("Lleida"))) + 3;
                amountEnds.append(line.left(end).toUcs4().size());
            }
        }
        QCOMPARE(amountEnds.size(), 5);
        QVERIFY(std::all_of(amountEnds.begin(), amountEnds.end(), [&](qsizetype end) { return end == amountEnds.first(); }));
    }
};

QTEST_GUILESS_MAIN(PlainTextWriterTest)
#include "test_plain_text_writer.moc"
