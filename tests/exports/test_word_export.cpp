// The Word export of the sales report, opened by LibreOffice, turned to PDF
// and read back by pdftotext. LibreOffice needs minutes for the whole
// report's thousands of frames, so it reads one country's sales.

#include "ExternalTools.h"
#include "SalesExport.h"
#include "TotalsInText.h"

#include <QFile>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

class WordExportTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;
    OfficeConverter m_office;
    std::optional<SalesExport> m_export;
    QString m_pdf;

private slots:
    void initTestCase()
    {
        if (!m_office.isAvailable())
            QSKIP("LibreOffice is not installed");
        m_export = SalesExport::writeCountry(u"Andorra"_s, ExportFormat::Word, m_scratch, u"vendes.doc"_s);
        if (!m_export)
            QSKIP("mdb-export cannot read the fixture");
        const auto pdf = m_office.convert(m_export->file, u"pdf"_s, u"pdf"_s, m_scratch.path(QString()));
        QVERIFY2(pdf, "LibreOffice could not open the document");
        m_pdf = *pdf;
    }

    void theFileIsRtf()
    {
        QFile file(m_export->file);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(6) == "{\\rtf1");
    }

    void eachReportPageIsOneDocumentPage()
    {
        const auto info = pdfInfo(m_pdf);
        QVERIFY(info);
        QCOMPARE(info->value(u"Pages"_s), QString::number(m_export->pageCount));
    }

    void totalsReadBackEqualTheCsvSums()
    {
        const auto lines = pdfTextLines(m_pdf);
        QVERIFY(lines);
        const QString problems = countryTotalsMismatch(totalsInLines(*lines), m_export->expected);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }
};

QTEST_MAIN(WordExportTest)
#include "test_word_export.moc"
