// A ranked report (the five best clients, the rest gathered) written in
// each format and read back: every file shows the groups in ranked order.

#include "ExpectedSales.h"
#include "ExternalTools.h"
#include "ReportRun.h"
#include "ScratchFiles.h"
#include "SalesExport.h"
#include "TestData.h"

#include "engine/page/ExportFormat.h"

#include <QFile>
#include <QJsonArray>
#include <QtTest>

#include <algorithm>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

const QRegularExpression trailingAmount(QStringLiteral("\\s+-?[\\d.]+,\\d\\d$"));

/// The names of the "Total <name>" lines, in the order they appear.
QStringList totalsOrder(const QStringList &lines)
{
    QStringList names;
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.startsWith(u"Total "_s) && !t.startsWith(u"Total general"_s))
            names << t.mid(6).remove(trailingAmount).trimmed();
    }
    return names;
}

} // namespace

class RankedExportsTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;
    QStringList m_expected;

    QString exported(qint32 format, const QString &name)
    {
        ReportRun run(testDataPath(u"millors-cinc-clients.rpt"_s), testDataPath(u"empresa.mdb"_s));
        const QString path = m_scratch.path(name);
        run.exportTo(format, path);
        return path;
    }

private slots:
    void initTestCase()
    {
        const auto expected = ExpectedSales::compute(testDataPath(u"empresa.mdb"_s));
        if (!expected)
            QSKIP("mdb-export cannot read the fixture");
        std::map<QString, qint64> byClient;
        for (const ClientSales &c : expected->clients)
            byClient[c.client] += c.totals.amountMillionths;
        std::vector<std::pair<QString, qint64>> ranked(byClient.begin(), byClient.end());
        std::stable_sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
        for (size_t i = 0; i < 5; ++i)
            m_expected << ranked[i].first;
        m_expected << u"Altres"_s;
    }

    void textShowsTheRankedOrder()
    {
        QFile file(exported(ExportFormat::Text, u"millors.txt"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(totalsOrder(QString::fromUtf8(file.readAll()).split(u'\n')), m_expected);
    }

    void pdfShowsTheRankedOrder()
    {
        const auto lines = pdfTextLines(exported(ExportFormat::PDF, u"millors.pdf"_s));
        if (!lines)
            QSKIP("pdftotext is not installed");
        QCOMPARE(totalsOrder(*lines), m_expected);
    }

    void wordShowsTheRankedOrder()
    {
        const OfficeConverter office;
        if (!office.isAvailable())
            QSKIP("LibreOffice is not installed");
        const auto text = office.convert(exported(ExportFormat::Word, u"millors.rtf"_s), u"txt:Text (encoded):UTF8"_s,
                                         u"txt"_s, m_scratch.path(QString()));
        QVERIFY2(text, "LibreOffice could not read the Word export");
        QFile file(*text);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(totalsOrder(QString::fromUtf8(file.readAll()).split(u'\n')), m_expected);
    }

    void excelDataRowsFollowTheRankedOrder()
    {
        const auto book = readWorkbook(exported(ExportFormat::ExcelData, u"millors.xls"_s));
        if (!book)
            QSKIP("python3 with xlrd is not installed");
        const QJsonArray rows = (*book)[u"sheets"_s].toArray().at(0).toObject()[u"rows"_s].toArray();
        QCOMPARE(rows.at(0).toArray().at(0).toArray().at(1).toString(), u"Nom"_s);
        QStringList groups;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            const QString client = rows.at(r).toArray().at(0).toArray().at(1).toString();
            if (groups.isEmpty() || groups.last() != client)
                groups << client;
        }
        QCOMPARE(groups, m_expected);
        QCOMPARE(rows.size(), qsizetype(6001)); // the heading and every line, Altres's included
    }
};

QTEST_MAIN(RankedExportsTest)
#include "test_ranked_exports.moc"
