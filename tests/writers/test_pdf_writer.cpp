// The PDF export, read back by poppler's tools and a look at the file's
// outline objects.

#include "ExternalTools.h"
#include "FakeReport.h"

#include "engine/writers/WriteExport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

QString exportPdf(const QString &folder, qint32 first = 2, qint32 second = 2, int pageCount = 3)
{
    const QString target = folder + QStringLiteral("/informe.pdf");
    FakePageSource pages(pageCount);
    ExportRequest request{.formatType = ExportFormat::PDF, .path = target, .pdfFirstOption = first, .pdfSecondOption = second};
    request.pages = &pages;
    writeExport(request, CancelToken());
    return target;
}

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

    void aReportOfOnePageHasOnePage()
    {
        QTemporaryDir folder;
        QVERIFY(pdfInfo(exportPdf(folder.path(), 2, 2, 1)).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
    }
};

QTEST_GUILESS_MAIN(PdfWriterTest)
#include "test_pdf_writer.moc"
