// Ranked groups over empresa.mdb checked against the same rankings, shares
// and statistics worked out here from mdb-export's CSV.

#include "AccessCsv.h"
#include "CatalanOrder.h"
#include "ExpectedSales.h"
#include "PageRows.h"
#include "ReportRun.h"
#include "SalesPages.h"
#include "ScratchFiles.h"
#include "TestData.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

struct Ranked {
    QString name;
    qint64 millionths = 0;
    qint64 lines = 0;
};

/// Names with their totals, most sales first.
std::vector<Ranked> bySalesDescending(const std::map<QString, Ranked> &totals)
{
    std::vector<Ranked> ranked;
    for (const auto &[name, r] : totals)
        ranked.push_back(r);
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked &a, const Ranked &b) { return a.millionths > b.millionths; });
    return ranked;
}

std::map<QString, Ranked> clientTotals(const ExpectedSales &expected, const QString &country = QString())
{
    std::map<QString, Ranked> totals;
    for (const ClientSales &c : expected.clients) {
        if (!country.isEmpty() && c.country != country)
            continue;
        Ranked &r = totals[c.client];
        r.name = c.client;
        r.millionths += c.totals.amountMillionths;
        r.lines += qint64(c.lines.size());
    }
    return totals;
}

/// The rows whose first text begins with `prefix`, that prefix taken off.
std::vector<std::pair<QString, QStringList>> rowsStartingWith(const std::vector<TextRow> &rows, const QString &prefix)
{
    std::vector<std::pair<QString, QStringList>> found;
    for (const TextRow &row : rows)
        if (row.firstText().startsWith(prefix))
            found.emplace_back(row.firstText().mid(prefix.size()), row.texts().mid(1));
    return found;
}

qint64 cents(const QString &printed) { return parseCatalanNumber(printed, 2).value_or(-1); }

/// The P-th percentile by linear interpolation between closest ranks, the
/// inclusive method of Python's statistics.quantiles.
double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const double rank = double(values.size() - 1) * p / 100;
    const size_t low = size_t(std::floor(rank));
    const double high = low + 1 < values.size() ? values[low + 1] : values[low];
    return values[low] + (rank - double(low)) * (high - values[low]);
}

double standardDeviation(const std::vector<double> &values, bool sample)
{
    double mean = 0;
    for (double v : values)
        mean += v;
    mean /= double(values.size());
    double squares = 0;
    for (double v : values)
        squares += (v - mean) * (v - mean);
    return std::sqrt(squares / double(values.size() - (sample ? 1 : 0)));
}

} // namespace

class RankedSalesTest : public QObject {
    Q_OBJECT

    ScratchFiles m_scratch;
    std::optional<ExpectedSales> m_expected;

    /// A test report with `from` replaced by `to`.
    QString editedReport(const QString &name, const QString &from = QString(), const QString &to = QString())
    {
        QFile file(testDataPath(name));
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        QString text = QString::fromUtf8(file.readAll());
        if (!from.isEmpty()) {
            if (!text.contains(from))
                return QString();
            text.replace(from, to);
        }
        return m_scratch.write(name, text.toUtf8());
    }

    std::vector<TextRow> laidOut(const QString &reportPath, qint64 *recordCount = nullptr, int *pages = nullptr)
    {
        ReportRun run(reportPath, testDataPath(u"empresa.mdb"_s));
        const auto source = run.layOutAll();
        if (recordCount)
            *recordCount = source->recordCount();
        if (pages)
            *pages = source->pagesLaidOut();
        return allTextRows(*source);
    }

private slots:
    void initTestCase()
    {
        m_expected = ExpectedSales::compute(testDataPath(u"empresa.mdb"_s));
        if (!m_expected)
            QSKIP("mdb-export cannot read the fixture");
    }

    void topFiveClientsThenTheRest_data()
    {
        QTest::addColumn<bool>("gathered");
        QTest::newRow("the rest gathered into Altres") << true;
        QTest::newRow("the rest left out") << false;
    }
    void topFiveClientsThenTheRest()
    {
        QFETCH(bool, gathered);
        const QString report = gathered ? editedReport(u"millors-cinc-clients.rpt"_s)
                                        : editedReport(u"millors-cinc-clients.rpt"_s, u"rest=\"gather\""_s, u"rest=\"leaveOut\""_s);
        qint64 records = 0;
        int pages = 0;
        const auto rows = laidOut(report, &records, &pages);
        const auto ranked = bySalesDescending(clientTotals(*m_expected));
        const auto footers = rowsStartingWith(rows, u"Total "_s);
        QCOMPARE(footers.size(), size_t(gathered ? 7 : 6)); // five clients, Altres, the grand total
        qint64 topMillionths = 0;
        qint64 topLines = 0;
        for (size_t i = 0; i < 5; ++i) {
            QCOMPARE(footers[i].first, ranked[i].name);
            QVERIFY(centsMatch(cents(footers[i].second.last()), ranked[i].millionths));
            topMillionths += ranked[i].millionths;
            topLines += ranked[i].lines;
        }
        const qint64 grand = m_expected->grand.amountMillionths;
        if (gathered) {
            QCOMPARE(footers[5].first, u"Altres"_s);
            QVERIFY(centsMatch(cents(footers[5].second.last()), grand - topMillionths));
        }
        QCOMPARE(footers.back().first, u"general"_s);
        QVERIFY(centsMatch(cents(footers.back().second.last()), gathered ? grand : topMillionths));
        QCOMPARE(records, gathered ? m_expected->recordCount : topLines);
        // Page numbers count the pages of what is printed.
        const auto pageFooters = rowsStartingWith(rows, u"Pàgina "_s);
        QCOMPARE(pageFooters.size(), size_t(pages));
        QCOMPARE(pageFooters.back().first, u"%1 de %1"_s.arg(pages));
    }

    void tiesAtTheLastPlaceKept_data()
    {
        QTest::addColumn<bool>("keepTies");
        QTest::newRow("without the tie option, exactly N") << false;
        QTest::newRow("with it, every client tied with the N-th") << true;
    }
    void tiesAtTheLastPlaceKept()
    {
        QFETCH(bool, keepTies);
        // Ranked by their number of lines, clients tie often: take the
        // first place from the third on where the next client ties.
        std::vector<Ranked> byLines;
        for (const auto &[name, r] : clientTotals(*m_expected))
            byLines.push_back(r);
        std::stable_sort(byLines.begin(), byLines.end(), [](const Ranked &a, const Ranked &b) { return a.lines > b.lines; });
        size_t n = 3;
        while (n < byLines.size() && byLines[n].lines != byLines[n - 1].lines)
            ++n;
        QVERIFY2(n < byLines.size(), "no tie among the clients' line counts");
        size_t tied = n;
        while (tied < byLines.size() && byLines[tied].lines == byLines[n - 1].lines)
            ++tied;
        const QString rank = u"<rank operation=\"Count\" source=\"{@Import}\" direction=\"descending\" keep=\"%1\" "
                             "keepTies=\"%2\" rest=\"gather\"/>"_s.arg(n).arg(keepTies ? u"true"_s : u"false"_s);
        const QString report = editedReport(u"millors-cinc-clients.rpt"_s,
                                            u"<rank operation=\"Sum\" source=\"{@Import}\" direction=\"descending\" keep=\"5\" rest=\"gather\"/>"_s,
                                            rank);
        const auto footers = rowsStartingWith(laidOut(report), u"Total "_s);
        const size_t expectedKept = keepTies ? tied : n;
        QCOMPARE(footers.size(), expectedKept + 2);
        std::map<QString, qint64> linesOf;
        for (const Ranked &r : byLines)
            linesOf[r.name] = r.lines;
        for (size_t i = 0; i < expectedKept; ++i) {
            QVERIFY2(linesOf[footers[i].first] >= byLines[n - 1].lines, qPrintable(footers[i].first));
            if (i > 0 && linesOf[footers[i].first] == linesOf[footers[i - 1].first])
                QVERIFY2(catalanMayPrecede(footers[i - 1].first, footers[i].first), qPrintable(footers[i].first));
        }
        QCOMPARE(footers[expectedKept].first, u"Altres"_s);
    }

    void bottomThreeProductsOfEachCategory()
    {
        const auto lines = AccessCsv::exportTable(testDataPath(u"empresa.mdb"_s), u"LiniesComanda"_s);
        const auto products = AccessCsv::exportTable(testDataPath(u"empresa.mdb"_s), u"Productes"_s);
        QVERIFY(lines && products);
        QHash<QString, std::pair<QString, QString>> product; // id -> category, description
        for (int r = 0; r < products->rowCount(); ++r)
            product.insert(products->text(r, u"IdProducte"_s), {products->text(r, u"Categoria"_s), products->text(r, u"Descripcio"_s)});
        std::map<QString, std::map<QString, Ranked>> sales; // category -> description -> total
        for (int r = 0; r < lines->rowCount(); ++r) {
            const auto &[category, description] = product.value(lines->text(r, u"IdProducte"_s));
            const qint64 amount = lines->text(r, u"Quantitat"_s).toLongLong()
                                * parseDecimal(lines->text(r, u"PreuUnitari"_s), 4).value_or(0)
                                * (100 - parseDecimal(lines->text(r, u"Descompte"_s), 2).value_or(0));
            Ranked &entry = sales[category][description];
            entry.name = description;
            entry.millionths += amount;
        }
        const auto rows = laidOut(editedReport(u"productes-menys-venuts.rpt"_s));
        std::map<QString, QStringList> printedByCategory;
        QString category;
        QStringList printedProducts;
        for (const TextRow &row : rows) {
            if (row.firstText().startsWith(u"Categoria "_s)) {
                printedByCategory[row.firstText().mid(10)] = printedProducts;
                printedProducts.clear();
                continue;
            }
            printedProducts << row.firstText() + u' ' + row.texts().last();
        }
        QCOMPARE(printedByCategory.size(), sales.size());
        for (const auto &[name, products] : sales) {
            auto ranked = bySalesDescending(products);
            std::reverse(ranked.begin(), ranked.end());
            const QStringList printed = printedByCategory[name];
            QCOMPARE(printed.size(), qsizetype(std::min<size_t>(3, ranked.size())));
            for (qsizetype i = 0; i < printed.size(); ++i) {
                QVERIFY2(printed[i].startsWith(ranked[size_t(i)].name + u' '), qPrintable(printed[i]));
                QVERIFY(centsMatch(cents(printed[i].section(u' ', -1)), ranked[size_t(i)].millionths));
            }
        }
    }

    void bestTenOfEachCountryWithTheirShares()
    {
        const auto rows = laidOut(exampleReport(u"millors-clients.rpt"_s));
        // Client footers: name, lines, sales, share; country footers begin "Total ".
        std::vector<std::pair<QString, QStringList>> clients;
        int countriesSeen = 0;
        for (const TextRow &row : rows) {
            const QStringList t = row.texts();
            const bool countryFooter = row.firstText().startsWith(u"Total "_s) && row.firstText() != u"Total general"_s;
            if (!countryFooter) {
                if (t.size() == 4 && cents(t[2]) >= 0)
                    clients.emplace_back(t[0], t);
                continue;
            }
            ++countriesSeen;
            const QString country = row.firstText().mid(6);
            const auto ranked = bySalesDescending(clientTotals(*m_expected, country));
            const qint64 countryTotal = m_expected->countries.at(country).amountMillionths;
            QVERIFY(centsMatch(cents(t[2]), countryTotal));
            // Its share of the grand total, to two decimals.
            const double share = 100.0 * double(countryTotal) / double(m_expected->grand.amountMillionths);
            QCOMPARE(cents(t[3]), qint64(std::llround(share * 100)));
            const size_t kept = std::min<size_t>(10, ranked.size());
            QCOMPARE(clients.size(), kept + (ranked.size() > 10 ? 1 : 0));
            qint64 keptMillionths = 0;
            for (size_t i = 0; i < kept; ++i) {
                QCOMPARE(clients[i].first, ranked[i].name);
                QVERIFY(centsMatch(cents(clients[i].second[2]), ranked[i].millionths));
                const double clientShare = 100.0 * double(ranked[i].millionths) / double(countryTotal);
                QCOMPARE(cents(clients[i].second[3]), qint64(std::llround(clientShare * 100)));
                keptMillionths += ranked[i].millionths;
            }
            if (ranked.size() > 10) {
                QCOMPARE(clients.back().first, u"Altres"_s);
                QVERIFY(centsMatch(cents(clients.back().second[2]), countryTotal - keptMillionths));
            }
            clients.clear();
        }
        QCOMPARE(countriesSeen, int(m_expected->countries.size()));
    }

    void statisticsOfTheLinesOfEachCountry()
    {
        std::map<QString, std::vector<double>> amounts;
        for (const ClientSales &c : m_expected->clients)
            for (const SaleLine &line : c.lines)
                amounts[c.country].push_back(double(line.amountMillionths) / 1e6);
        const auto rows = laidOut(editedReport(u"estadistiques-per-pais.rpt"_s));
        int checked = 0;
        for (const TextRow &row : rows) {
            const QStringList t = row.texts();
            if (t.size() != 6 || !amounts.count(t[0]))
                continue;
            const std::vector<double> &values = amounts[t[0]];
            const double expected[] = {percentile(values, 50), percentile(values, 90), standardDeviation(values, true),
                                       standardDeviation(values, false), percentile(values, 50)};
            for (int i = 0; i < 5; ++i) {
                const double printed = double(parseCatalanNumber(t[i + 1], 4).value_or(-1)) / 1e4;
                QVERIFY2(std::abs(printed - expected[i]) <= 0.00011,
                         qPrintable(u"%1, column %2: printed %3, expected %4"_s.arg(t[0]).arg(i + 1).arg(t[i + 1]).arg(expected[i], 0, 'f', 6)));
            }
            ++checked;
        }
        QCOMPARE(checked, int(amounts.size()));
    }
};

QTEST_MAIN(RankedSalesTest)
#include "test_ranked_sales.moc"
