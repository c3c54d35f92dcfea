// Sales by country and client: every total the report prints is checked
// against the same sums worked out here from mdb-export's CSV, in exact
// decimals, and every section is checked to stand where it belongs.

#include "AccessCsv.h"
#include "ExpectedSales.h"
#include "PageRows.h"
#include "SalesPages.h"
#include "ReportRun.h"
#include "TestData.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {
struct ReportReading {
    std::vector<TextRow> rows;
    int pageCount = 0;
    qint64 recordCount = 0;
    QStringList pageNumberTexts;
};
} // namespace

class SalesTotalsTest : public QObject {
    Q_OBJECT

    std::optional<ExpectedSales> m_expected;
    ReportReading m_reading;

    const TextRow *onlyRow(SalesRowKind kind) const
    {
        const TextRow *found = nullptr;
        for (const auto &row : m_reading.rows)
            if (salesRowKind(row) == kind) {
                if (found)
                    return nullptr;
                found = &row;
            }
        return found;
    }

private slots:
    void initTestCase()
    {
        m_expected = ExpectedSales::compute(testDataPath(u"empresa.mdb"_s));
        if (!m_expected)
            QSKIP("mdb-export cannot read the fixture");
        ReportRun run(exampleReport(u"vendes-per-pais.rpt"_s), testDataPath(u"empresa.mdb"_s));
        const auto source = run.layOutAll();
        m_reading.pageCount = source->pagesLaidOut();
        m_reading.recordCount = source->recordCount();
        m_reading.rows = allTextRows(*source);
        for (const auto &row : m_reading.rows)
            for (const auto &text : row.texts())
                if (text.startsWith(u"Pàgina "))
                    m_reading.pageNumberTexts << text;
    }

    void recordCountIsEveryJoinedLine()
    {
        // Every line has its order, client and product (the file enforces
        // the relationships), so the inner joins keep all 6,000.
        QCOMPARE(m_expected->recordCount, qint64(6000));
        QCOMPARE(m_reading.recordCount, m_expected->recordCount);
    }

    void grandTotalEqualsTheCsvSum()
    {
        const TextRow *grand = onlyRow(SalesRowKind::GrandTotal);
        QVERIFY2(grand, "exactly one \"Total general\" row");
        const PrintedTotals printed = printedTotals(*grand);
        QVERIFY(printed.quantity && printed.cents);
        QCOMPARE(*printed.quantity, m_expected->grand.quantity);
        QVERIFY2(centsMatch(*printed.cents, m_expected->grand.amountMillionths),
                 qPrintable(u"printed %1, exact %2 millionths"_s.arg(*printed.cents).arg(m_expected->grand.amountMillionths)));
    }

    void countryTotals_data()
    {
        QTest::addColumn<QString>("country");
        // One row per country in the data: each footer must carry the sum of
        // that country's lines only.
        for (const auto &[country, totals] : m_expected->countries)
            QTest::newRow(qPrintable(country)) << country;
    }
    void countryTotals()
    {
        QFETCH(QString, country);
        const SalesTotals &expected = m_expected->countries.at(country);
        int footers = 0;
        for (const auto &row : m_reading.rows) {
            if (salesRowKind(row) != SalesRowKind::CountryFooter || row.firstText() != u"Total "_s + country)
                continue;
            ++footers;
            const PrintedTotals printed = printedTotals(row);
            QVERIFY(printed.quantity && printed.cents);
            QCOMPARE(*printed.quantity, expected.quantity);
            QVERIFY2(centsMatch(*printed.cents, expected.amountMillionths),
                     qPrintable(u"printed %1, exact %2 millionths"_s.arg(*printed.cents).arg(expected.amountMillionths)));
        }
        QCOMPARE(footers, 1);
    }

    /// Walks every row in page order: each client group must open with its
    /// header, list exactly its own lines in date order, and close with its
    /// footer before the next header; each country closes after its last
    /// client. Repeated country headers may only open a page.
    void sectionsStandInReportOrderWithTheirTotals()
    {
        size_t nextClient = 0;
        const ClientSales *open = nullptr;
        std::vector<const TextRow *> details;
        QString country;
        bool countryOpen = false;
        int lastPage = -1;
        bool firstBodyRowOfPage = false;
        for (const auto &row : m_reading.rows) {
            if (row.pageIndex != lastPage) {
                lastPage = row.pageIndex;
                firstBodyRowOfPage = true;
            }
            const SalesRowKind kind = salesRowKind(row);
            if (kind == SalesRowKind::Other)
                continue;
            const QString where = u"page %1, row at %2: %3"_s.arg(row.pageIndex + 1).arg(row.top).arg(row.texts().join(u" | "_s));
            const bool repeatsHeader = kind == SalesRowKind::CountryHeader && countryOpen;
            if (repeatsHeader) {
                QVERIFY2(firstBodyRowOfPage, qPrintable(u"country header repeated mid-page: "_s + where));
                QCOMPARE(headerCountry(row), country);
            }
            firstBodyRowOfPage = false;
            switch (kind) {
            case SalesRowKind::CountryHeader:
                if (!repeatsHeader) {
                    QVERIFY2(nextClient < m_expected->clients.size(), qPrintable(where));
                    country = headerCountry(row);
                    QCOMPARE(country, m_expected->clients[nextClient].country);
                    countryOpen = true;
                }
                break;
            case SalesRowKind::ClientHeader:
                QVERIFY2(!open, qPrintable(u"client header before the last client's footer: "_s + where));
                QVERIFY2(nextClient < m_expected->clients.size(), qPrintable(where));
                open = &m_expected->clients[nextClient++];
                QCOMPARE(open->country, country);
                QCOMPARE(row.firstText(), open->client);
                details.clear();
                break;
            case SalesRowKind::Detail:
                QVERIFY2(open, qPrintable(u"detail outside a client group: "_s + where));
                details.push_back(&row);
                break;
            case SalesRowKind::ClientFooter:
                QVERIFY2(open, qPrintable(u"client footer without its header: "_s + where));
                checkClientGroup(*open, details, row);
                if (QTest::currentTestFailed())
                    return;
                open = nullptr;
                break;
            case SalesRowKind::CountryFooter:
                QVERIFY2(!open, qPrintable(u"country closed before its last client: "_s + where));
                QCOMPARE(row.firstText(), u"Total "_s + country);
                QVERIFY2(nextClient == m_expected->clients.size() || m_expected->clients[nextClient].country != country,
                         qPrintable(u"country closed before all its clients: "_s + where));
                countryOpen = false;
                break;
            case SalesRowKind::GrandTotal:
                QCOMPARE(nextClient, m_expected->clients.size());
                break;
            case SalesRowKind::Other:
                break;
            }
        }
        QCOMPARE(nextClient, m_expected->clients.size());
    }

    void pageNumberIsRightOnEveryPage()
    {
        QVERIFY(m_reading.pageCount > 1);
        QStringList expected;
        for (int page = 1; page <= m_reading.pageCount; ++page)
            expected << u"Pàgina %1 de %2"_s.arg(page).arg(m_reading.pageCount);
        QCOMPARE(m_reading.pageNumberTexts, expected);
    }

    void firstAndLastPages_data()
    {
        QTest::addColumn<bool>("lastPage");
        QTest::addColumn<QString>("mustShow");
        QTest::newRow("page 1 opens with the title") << false << u"Vendes per país i client"_s;
        QTest::newRow("page 1 opens the first country in Catalan order (Alemanya)") << false << u"Alemanya"_s;
        QTest::newRow("the last page closes the last country (Suïssa)") << true << u"Total Suïssa"_s;
        QTest::newRow("the last page carries the grand total") << true << u"Total general"_s;
        QTest::newRow("every page has the page header") << true << u"Preu unitari"_s;
    }
    void firstAndLastPages()
    {
        QFETCH(bool, lastPage);
        QFETCH(QString, mustShow);
        const int page = lastPage ? m_reading.pageCount - 1 : 0;
        QStringList texts;
        for (const auto &row : m_reading.rows)
            if (row.pageIndex == page)
                texts << row.texts();
        QVERIFY2(texts.contains(mustShow), qPrintable(texts.join(u" | "_s)));
    }

private:
    void checkClientGroup(const ClientSales &expected, const std::vector<const TextRow *> &details, const TextRow &footer)
    {
        const QString group = expected.country + u" / "_s + expected.client;
        QVERIFY2(details.size() == expected.lines.size(),
                 qPrintable(u"%1: %2 detail rows, %3 lines in the CSV"_s.arg(group).arg(details.size()).arg(expected.lines.size())));
        for (size_t i = 0; i < details.size(); ++i) {
            const SaleLine &line = expected.lines[i];
            QCOMPARE(details[i]->firstText(), QString::number(line.idComanda));
            const auto cents = parseCatalanNumber(details[i]->items.back().text, 2);
            QVERIFY2(cents && centsMatch(*cents, line.amountMillionths),
                     qPrintable(u"%1, line %2: %3"_s.arg(group).arg(line.idLinia).arg(details[i]->items.back().text)));
        }
        const PrintedTotals printed = printedTotals(footer);
        QVERIFY2(printed.quantity && printed.cents, qPrintable(footer.texts().join(u" | "_s)));
        QCOMPARE(*printed.quantity, expected.totals.quantity);
        QVERIFY2(centsMatch(*printed.cents, expected.totals.amountMillionths),
                 qPrintable(u"%1: printed %2, exact %3 millionths"_s.arg(group).arg(*printed.cents).arg(expected.totals.amountMillionths)));
    }
};

QTEST_MAIN(SalesTotalsTest)
#include "test_sales_totals.moc"
