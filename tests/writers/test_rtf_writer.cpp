// The Word export: escaping of every character, and the document as
// LibreOffice reads it.

#include "ExternalTools.h"
#include "FakeReport.h"

#include "engine/writers/RtfText.h"
#include "engine/writers/WriteExport.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace velmora;
using namespace velmora::testing;

class RtfWriterTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (QByteArray(QTest::currentTestFunction()).startsWith("libreOffice")
            && (!hasTool(QStringLiteral("libreoffice")) || !hasTool(QStringLiteral("pdftotext"))))
            QSKIP("LibreOffice or poppler is not installed");
    }

    void escaped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("rtf");

        QTest::newRow("plain ASCII passes") << QStringLiteral("Total 12") << QByteArray("Total 12");
        QTest::newRow("a field holding RTF stays text")
            << QStringLiteral("{\\rtf1 evil}") << QByteArray("\\{\\\\rtf1 evil\\}");
        QTest::newRow("backslashes are doubled") << QStringLiteral("C:\\dades") << QByteArray("C:\\\\dades");
        QTest::newRow("accents as \\uN with a ? fallback")
            << QStringLiteral("Cèl·la") << QByteArray("C\\u232?l\\u183?la");
        QTest::newRow("above 32767 the code unit is written signed (U+FFFD = -3)")
            << QStringLiteral("\uFFFD") << QByteArray("\\u-3?");
        QTest::newRow("outside the BMP: both surrogates, signed (D83D DE00)")
            << emoji << QByteArray("\\u-10179?\\u-8704?");
        QTest::newRow("a lone surrogate becomes the replacement character")
            << QString(QChar(0xD83D)) << QByteArray("\\u-3?");
        QTest::newRow("tab is a tab, other controls become blanks")
            << QStringLiteral("a\tb\nc") << QByteArray("a\\tab b c");
    }

    void escaped()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, rtf);
        QCOMPARE(RtfText::escaped(text), rtf);
    }

    void documentIsWellFormedRtf()
    {
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("informe.doc"));
        FakePageSource pages(3);
        ExportRequest request{.formatType = ExportFormat::Word, .path = target};
        request.pages = &pages;
        writeExport(request, CancelToken());
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray rtf = file.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi"));
        // Escaped braces aside, every group opened is closed, the last at the end.
        int depth = 0;
        for (qsizetype i = 0; i < rtf.size(); ++i) {
            if (rtf[i] == '\\') {
                ++i;
                continue;
            }
            depth += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
            QVERIFY(depth >= 0);
            if (depth == 0)
                QCOMPARE(rtf.mid(i).trimmed(), QByteArray("}"));
            if (depth == 0)
                break;
        }
        QCOMPARE(rtf.count("\\sect\\sectd"), 2); // three pages
        QVERIFY(rtf.contains("\\lndscpsxn"));     // the third is landscape
        QVERIFY(rtf.contains("{\\title Vendes de l'any}"));
    }

    void libreOfficeReadsTheTextBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("accents and l·l") << QStringLiteral("Cèl·lula Martí");
        QTest::newRow("RTF-looking field") << QStringLiteral("{\\rtf1 evil}");
        QTest::newRow("backslashes") << QStringLiteral("C:\\dades\\fitxer");
        QTest::newRow("emoji") << QStringLiteral("Festa ") + emoji;
        QTest::newRow("formula-looking text") << QStringLiteral("=SUM(A1)");
        QTest::newRow("last page's heading") << QStringLiteral("Informe de vendes: pàgina 3");
    }

    void libreOfficeReadsTheTextBack()
    {
        QFETCH(QString, text);
        // The text sits in frames, which a word processor's plain-text save
        // leaves out; its rendering shows what a reader sees.
        QVERIFY2(pdfText().contains(text), qPrintable(pdfText()));
    }

    void libreOfficeLaysOutOnePagePerReportPage()
    {
        const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("3"), renderedPdf()}));
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n"))), qPrintable(info));
        QVERIFY(info.contains(QRegularExpression(QStringLiteral("Page\\s+3 size:\\s+841.89 x 595.30"))));
        const QString third = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("3"), QStringLiteral("-l"), QStringLiteral("3"), renderedPdf(), QStringLiteral("-")}));
        QVERIFY(third.contains(QStringLiteral("pàgina 3")));
        QVERIFY(!third.contains(QStringLiteral("pàgina 2")));
    }

    void printedLinesAreParagraphsNotFrames()
    {
        // A frame per text made LibreOffice take minutes over a hundred
        // pages (its cost grows with the square of the frames); lines of
        // tab-stopped text lay out in a blink. Only the pictures and a text
        // overlapping its neighbour float, as shapes.
        QTemporaryDir folder;
        FakePageSource pages(3, pageWithPicture);
        ExportRequest request{.formatType = ExportFormat::Word, .path = folder.filePath(QStringLiteral("linies.doc"))};
        request.pages = &pages;
        writeExport(request, CancelToken());
        QFile file(request.path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray rtf = file.readAll();
        QCOMPARE(rtf.count("\\pvpg"), 0);
        QCOMPARE(rtf.count("{\\shp{"), 3 * 2);       // a picture and the overlapping text, per page
        QCOMPARE(rtf.count("\\tqr\\tx8480"), 3 * 7); // the amounts' right edge: heading, 5 rows, the 42
        QVERIFY(rtf.contains("\\tab{"));
    }

    void libreOfficePutsTheTextWhereThePageHasIt_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<double>("edge");
        QTest::addColumn<bool>("rightEdge");
        QTest::addColumn<double>("baseline");
        // Columns and baselines of the sample, in points.
        QTest::newRow("a left tab starts the city at its column") << QStringLiteral("Lleida") << 4320 / 20.0 << false << 1990 / 20.0;
        QTest::newRow("a right tab ends the amount at its box's edge") << QStringLiteral("1234.50") << 8480 / 20.0 << true << 1990 / 20.0;
        QTest::newRow("a bold heading on its own line") << QStringLiteral("Client") << 1440 / 20.0 << false << 1630 / 20.0;
        QTest::newRow("a text overlapping its neighbour's box floats in place") << QStringLiteral("Encavalcat") << 5000 / 20.0 << false << 3490 / 20.0;
        QTest::newRow("the fifth row, after four paragraphs") << QStringLiteral("1238.50") << 8480 / 20.0 << true << 3190 / 20.0;
    }

    void libreOfficePutsTheTextWhereThePageHasIt()
    {
        QFETCH(QString, word);
        QFETCH(double, edge);
        QFETCH(bool, rightEdge);
        QFETCH(double, baseline);
        const std::map<QString, QRectF> boxes = wordBoxes(renderedPdf());
        const auto found = boxes.find(word);
        QVERIFY2(found != boxes.end(), qPrintable(word));
        const QRectF &box = found->second;
        QVERIFY2(std::abs((rightEdge ? box.right() : box.left()) - edge) < 1.0, qPrintable(QStringLiteral("x %1 .. %2").arg(box.left()).arg(box.right())));
        // poppler's word box reaches from the ascent to the descent: the
        // baseline lies in its lower quarter.
        QVERIFY2(baseline > box.top() + box.height() * 0.6 && baseline < box.bottom(),
                 qPrintable(QStringLiteral("y %1 .. %2, baseline %3").arg(box.top()).arg(box.bottom()).arg(baseline)));
    }

    void libreOfficeShowsThePictures()
    {
        if (renderedPdf().isEmpty())
            QSKIP("LibreOffice or poppler-utils is not installed");
        // "page num type width height ...": one picture on each page.
        const QStringList rows = QString::fromUtf8(runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), renderedPdf()}))
                                     .split(u'\n', Qt::SkipEmptyParts)
                                     .mid(2);
        QStringList pages;
        for (const QString &row : rows)
            pages << row.split(u' ', Qt::SkipEmptyParts).value(0);
        pages.removeDuplicates();
        QCOMPARE(pages, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    }

private:
    /// The sample with a logo on each page, and a text whose box overlaps
    /// the italic note's.
    static Page pageWithPicture(int index)
    {
        Page page = samplePage(index);
        page.items.push_back(textAt(5000, 3300, 1400, QStringLiteral("Encavalcat")));
        QImage logo(48, 24, QImage::Format_RGB32);
        logo.fill(qRgb(31, 78, 121));
        page.items.push_back(PictureItem{QRect(9000, 400, 1440, 720), logo});
        return page;
    }

    /// The sample exported once and rendered by LibreOffice to PDF.
    QString renderedPdf()
    {
        if (!hasTool(QStringLiteral("libreoffice")) || !hasTool(QStringLiteral("pdftotext")))
            return {};
        if (m_renderedPdf.isEmpty()) {
            FakePageSource pages(3, pageWithPicture);
            ExportRequest request{.formatType = ExportFormat::Word, .path = m_folder.filePath(QStringLiteral("informe.doc"))};
            request.pages = &pages;
            writeExport(request, CancelToken());
            m_renderedPdf = convertWithLibreOffice(request.path, QStringLiteral("pdf"), QStringLiteral("pdf"), m_folder.path());
        }
        return m_renderedPdf;
    }

    QString pdfText()
    {
        return QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {renderedPdf(), QStringLiteral("-")}));
    }

    QTemporaryDir m_folder;
    QString m_renderedPdf;
};

QTEST_GUILESS_MAIN(RtfWriterTest)
#include "test_rtf_writer.moc"
