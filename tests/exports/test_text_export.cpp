// The plain text export of the sales report: totals and page numbers read
// back from the character grid.

#include "SalesExport.h"
#include "TotalsInText.h"

#include <QFile>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

class TextExportTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;
    std::optional<SalesExport> m_export;
    QString m_text;

private slots:
    void initTestCase()
    {
        m_export = SalesExport::write(ExportFormat::Text, m_scratch, u"vendes.txt"_s);
        if (!m_export)
            QSKIP("mdb-export cannot read the fixture");
        QFile file(m_export->file);
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_text = QString::fromUtf8(file.readAll());
    }

    void totalsReadBackEqualTheCsvSums()
    {
        const QString problems = countryTotalsMismatch(totalsInLines(m_text.split(u'\n')), m_export->expected);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void oneFormFeedBetweenPagesAndEachPageNumbered()
    {
        const QStringList pages = m_text.split(u'\f');
        QCOMPARE(pages.size(), m_export->pageCount);
        for (int i = 0; i < pages.size(); ++i)
            QVERIFY2(pages[i].contains(u"Pàgina %1 de %2"_s.arg(i + 1).arg(m_export->pageCount)),
                     qPrintable(u"page %1"_s.arg(i + 1)));
    }
};

QTEST_MAIN(TextExportTest)
#include "test_text_export.moc"
