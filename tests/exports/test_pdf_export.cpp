// The PDF export of the sales report read back by poppler's tools.

#include "ExternalTools.h"
#include "SalesExport.h"
#include "TotalsInText.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

class PdfExportTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;
    std::optional<SalesExport> m_export;
    QStringList m_lines;

private slots:
    void initTestCase()
    {
        m_export = SalesExport::write(ExportFormat::PDF, m_scratch, u"vendes.pdf"_s);
        if (!m_export)
            QSKIP("mdb-export cannot read the fixture");
        const auto lines = pdfTextLines(m_export->file);
        if (!lines)
            QSKIP("pdftotext is not installed");
        m_lines = *lines;
    }

    void documentProperties_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("one PDF page per report page") << u"Pages"_s << u"(the engine's page count)"_s;
        QTest::newRow("the title is the report's") << u"Title"_s << u"Vendes per país i client"_s;
        QTest::newRow("the creator is the program") << u"Creator"_s << u"Velmora"_s;
        QTest::newRow("PDF option 2 asks for PDF 1.5") << u"PDF version"_s << u"1.5"_s;
    }
    void documentProperties()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        if (key == u"Pages")
            value = QString::number(m_export->pageCount);
        const auto info = pdfInfo(m_export->file);
        QVERIFY(info);
        QCOMPARE(info->value(key), value);
    }

    void fontsAreEmbeddedSubsetsThatCopyOut()
    {
        const auto listing = runTool(u"pdffonts"_s, {m_export->file});
        QVERIFY(listing);
        const QStringList lines = QString::fromUtf8(*listing).split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!lines.isEmpty());
        for (const QString &line : lines) {
            // name type... encoding emb sub uni object ID: the type may be two
            // words, so the flags are read from the right.
            const QStringList columns = line.simplified().split(u' ');
            QVERIFY2(columns.size() >= 7, qPrintable(line));
            const qsizetype emb = columns.size() - 5;
            QVERIFY2(columns[emb] == u"yes" && columns[emb + 1] == u"yes" && columns[emb + 2] == u"yes",
                     qPrintable(u"not an embedded subset with a ToUnicode map: "_s + line));
            QVERIFY2(columns[0].contains(u"+Liberation"_s), qPrintable(u"Arial should map to Liberation: "_s + line));
        }
    }

    void totalsReadBackEqualTheCsvSums()
    {
        const QString problems = countryTotalsMismatch(totalsInLines(m_lines), m_export->expected);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void everyPageSaysWhichPageOfHowManyItIs()
    {
        const QStringList pages = m_lines.join(u'\n').split(u'\f');
        // pdftotext ends the last page with a form feed too.
        QCOMPARE(pages.size() - 1, m_export->pageCount);
        for (int i = 0; i < m_export->pageCount; ++i)
            QVERIFY2(pages[i].contains(u"Pàgina %1 de %2"_s.arg(i + 1).arg(m_export->pageCount)),
                     qPrintable(u"page %1"_s.arg(i + 1)));
    }
};

QTEST_MAIN(PdfExportTest)
#include "test_pdf_export.moc"
