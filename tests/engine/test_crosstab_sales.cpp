// Cross-tabs over empresa.mdb read back from their pages and checked against
// the same grids worked out here from mdb-export's CSV: every cell, row
// total, column total and grand total.

#include "AccessCsv.h"
#include "CrossTabReading.h"
#include "ExpectedOrders.h"
#include "ExpectedSales.h"
#include "ReportRun.h"
#include "ScratchFiles.h"
#include "TestData.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

/// The left of a row heading's text in the bundled samples: the margin and the padding.
constexpr int rowHeadingLeft = 1134 + 60;

using Grid = ExpectedGrid;

CrossTabSeen readReport(const QString &reportPath)
{
    ReportRun run(reportPath, testDataPath(u"empresa.mdb"_s));
    const auto source = run.layOutAll();
    std::vector<Page> pages;
    for (int i = 0; i < source->pagesLaidOut(); ++i)
        pages.push_back(source->page(i));
    return readCrossTab(pages, rowHeadingLeft);
}

/// Every expected cell is on the pages exactly once, and nothing else is.
void compareCounts(const CrossTabSeen &seen, const Grid &expected)
{
    const auto places = seen.byPlace();
    QCOMPARE(places.size(), expected.size());
    for (const auto &[place, count] : expected) {
        const auto found = places.find(place);
        QVERIFY2(found != places.end(), qPrintable(place.first + u" / "_s + place.second));
        QCOMPARE(found->second.size(), size_t(1));
        QCOMPARE(found->second.front()->item->value.asInteger(), count);
    }
}

} // namespace

class CrossTabSalesTest : public QObject {
    Q_OBJECT

    std::optional<ExpectedOrders> m_orders;

private slots:
    void initTestCase()
    {
        m_orders = ExpectedOrders::read(testDataPath(u"empresa.mdb"_s));
        if (!m_orders)
            QSKIP("mdb-export cannot read the fixture");
    }

    void salesPerCountryByYear()
    {
        const auto expected = ExpectedSales::compute(testDataPath(u"empresa.mdb"_s));
        if (!expected)
            QSKIP("mdb-export cannot read the fixture");
        Grid millionths;
        for (const ClientSales &client : expected->clients)
            for (const SaleLine &line : client.lines)
                addWithTotals(millionths, client.country, line.orderDate.left(4), line.amountMillionths);
        const CrossTabSeen seen = readReport(exampleReport(u"vendes-pais-any.rpt"_s));
        const auto places = seen.byPlace();
        QCOMPARE(places.size(), millionths.size());
        for (const auto &[place, amount] : millionths) {
            const auto found = places.find(place);
            QVERIFY2(found != places.end(), qPrintable(place.first + u" / "_s + place.second));
            QCOMPARE(found->second.size(), size_t(1));
            // The page shows cents; the typed cell keeps the sum itself.
            QCOMPARE(parseCatalanNumber(found->second.front()->item->text, 2), roundToCents(amount));
            QVERIFY(std::abs(found->second.front()->item->value.toDouble() - double(amount) / 1e6) < 1e-6);
        }
        // Countries in Catalan order, the total last.
        const QStringList rows = seen.rowHeadings.at(0);
        QCOMPARE(rows.first(), u"Alemanya"_s);
        QCOMPARE(rows.indexOf(u"Espanya"_s) + 1, rows.indexOf(u"França"_s));
        QCOMPARE(rows.last(), u"Total"_s);
    }

    void ordersPerSellerByState()
    {
        const ExpectedOrders &o = *m_orders;
        const Grid expected = o.perSeller([&](int i) { return o.orders->text(i, u"Estat"_s); });
        const CrossTabSeen seen = readReport(exampleReport(u"comandes-venedor-estat.rpt"_s));
        compareCounts(seen, expected);
        // Ordered by their totals, the seller with most orders first.
        const QStringList rows = seen.rowHeadings.at(0);
        for (qsizetype r = 1; r + 1 < rows.size(); ++r)
            QVERIFY(expected.at({rows[r - 1], u"Total"_s}) >= expected.at({rows[r], u"Total"_s}));
    }

    void aNullColumnValueUnderItsLabel()
    {
        const ExpectedOrders &o = *m_orders;
        ScratchFiles scratch;
        const QString report = scratch.editedExample(
            u"comandes-venedor-estat.rpt"_s, u"<column field=\"{Comandes.Estat}\"/>"_s,
            u"<column field=\"{@AnyEnviament}\" format=\"0\"/>"_s);
        const QString withFormula = scratch.write(
            u"enviament.rpt"_s, [&] {
                QFile f(report);
                f.open(QIODevice::ReadOnly);
                return f.readAll().replace("</formulas>", "<formula name=\"AnyEnviament\">Year({Comandes.DataEnviament})</formula></formulas>");
            }());
        const Grid expected = o.perSeller([&](int i) {
            const QString shipped = o.orders->text(i, u"DataEnviament"_s);
            return shipped.isEmpty() ? u"(sense valor)"_s : shipped.left(4);
        });
        QVERIFY(expected.count({u"Total"_s, u"(sense valor)"_s}));
        compareCounts(readReport(withFormula), expected);
    }

    void topColumnsGatherTheRest()
    {
        const ExpectedOrders &o = *m_orders;
        ScratchFiles scratch;
        const QString report = scratch.editedExample(u"comandes-venedor-estat.rpt"_s,
                                                     u"<column field=\"{Comandes.Estat}\"/>"_s,
                                                     u"<column field=\"{Comandes.Estat}\" top=\"2\" restName=\"Altres estats\"/>"_s);
        // The two states with most orders stay; the others are counted together.
        std::map<QString, qint64> perState;
        for (int i = 0; i < o.orders->rowCount(); ++i)
            ++perState[o.orders->text(i, u"Estat"_s)];
        std::vector<std::pair<qint64, QString>> ranked;
        for (const auto &[state, n] : perState)
            ranked.emplace_back(-n, state);
        std::sort(ranked.begin(), ranked.end());
        const QStringList kept{ranked[0].second, ranked[1].second};
        const Grid expected = o.perSeller([&](int i) {
            const QString state = o.orders->text(i, u"Estat"_s);
            return kept.contains(state) ? state : u"Altres estats"_s;
        });
        const CrossTabSeen seen = readReport(report);
        compareCounts(seen, expected);
        QCOMPARE(seen.columnHeadings.at(0).mid(2), (QStringList{u"Altres estats"_s, u"Total"_s}));
    }
};

QTEST_MAIN(CrossTabSalesTest)
#include "test_crosstab_sales.moc"
