// Record selection, sort order, joins and subreports of the sample reports,
// checked against mdb-export's CSV of the same tables.

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
#include <map>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {
constexpr int marginLeft = 1134;

QString databasePath()
{
    return testDataPath(u"empresa.mdb"_s);
}

/// One client row of the directory as the page shows it.
struct DirectoryEntry {
    QString name;
    QString city;
    QString country;
    QString phone;
};

/// A field without "can grow" shows its text on one line, cut at the
/// field's right edge: what the page shows is the start of the value.
bool showsAsCut(const QString &shown, const QString &value)
{
    return value.startsWith(shown) && shown.isEmpty() == value.isEmpty();
}

/// The phone column shows a placeholder where the phone is NULL or blank.
QString shownPhone(const AccessCsv::Field &phone)
{
    if (!phone || phone->trimmed().isEmpty())
        return u"(sense telèfon)"_s;
    return *phone;
}

std::vector<DirectoryEntry> activeClientsFromCsv(const AccessCsv &clients)
{
    std::vector<DirectoryEntry> entries;
    for (int row = 0; row < clients.rowCount(); ++row)
        if (clients.text(row, u"Actiu"_s) == u"1")
            entries.push_back({clients.text(row, u"Nom"_s), clients.text(row, u"Ciutat"_s),
                               clients.text(row, u"Pais"_s), shownPhone(clients.field(row, u"Telefon"_s))});
    return entries;
}

bool isDirectoryRow(const TextRow &row)
{
    const TextItem *first = row.first();
    return first && first->box.left() == marginLeft && first->font.bold && first->font.pointSize == 9.0
        && row.textAt(marginLeft + 6450) && row.firstText() != u"Client";
}

DirectoryEntry directoryEntry(const TextRow &row)
{
    return {row.firstText(), row.textAt(marginLeft + 3350).value_or(QString()),
            row.textAt(marginLeft + 5300).value_or(QString()), row.textAt(marginLeft + 6450).value_or(QString())};
}

/// An order of 2025 as the CSV gives it, with its lines' count and total.
struct ExpectedOrder {
    qint64 id = 0;
    QString date;
    QString client;
    QString seller;
    int lineCount = 0;
    qint64 amountMillionths = 0;
};

std::map<qint64, ExpectedOrder> ordersOfYear(const QString &year)
{
    const auto orders = AccessCsv::exportTable(databasePath(), u"Comandes"_s);
    const auto clients = AccessCsv::exportTable(databasePath(), u"Clients"_s);
    const auto sellers = AccessCsv::exportTable(databasePath(), u"Venedors"_s);
    const auto lines = AccessCsv::exportTable(databasePath(), u"LiniesComanda"_s);
    std::map<qint64, ExpectedOrder> byId;
    if (!orders || !clients || !sellers || !lines)
        return byId;
    QHash<QString, QString> clientName, sellerName;
    for (int r = 0; r < clients->rowCount(); ++r)
        clientName.insert(clients->text(r, u"IdClient"_s), clients->text(r, u"Nom"_s));
    for (int r = 0; r < sellers->rowCount(); ++r)
        sellerName.insert(sellers->text(r, u"IdVenedor"_s),
                          sellers->text(r, u"Nom"_s) + u' ' + sellers->text(r, u"Cognoms"_s));
    for (int r = 0; r < orders->rowCount(); ++r) {
        const QString date = orders->text(r, u"DataComanda"_s);
        if (!date.startsWith(year))
            continue;
        const qint64 id = orders->text(r, u"IdComanda"_s).toLongLong();
        byId[id] = {id, date, clientName.value(orders->text(r, u"IdClient"_s)),
                    sellerName.value(orders->text(r, u"IdVenedor"_s), u"(sense venedor)"_s), 0, 0};
    }
    for (int r = 0; r < lines->rowCount(); ++r) {
        const auto order = byId.find(lines->text(r, u"IdComanda"_s).toLongLong());
        if (order == byId.end())
            continue;
        const qint64 quantity = lines->text(r, u"Quantitat"_s).toLongLong();
        const qint64 price = parseDecimal(lines->text(r, u"PreuUnitari"_s), 4).value_or(0);
        const qint64 discount = parseDecimal(lines->text(r, u"Descompte"_s), 2).value_or(0);
        ++order->second.lineCount;
        order->second.amountMillionths += quantity * price * (100 - discount);
    }
    return byId;
}

/// What the orders report printed for one order.
struct PrintedOrder {
    qint64 id = 0;
    QString client;
    QString seller;
    int lineRows = 0;
    std::optional<QString> total;
};

// Left edges of the orders report and of its subreport of lines.
constexpr int orderClientLeft = marginLeft + 2250;
constexpr int orderSellerLeft = marginLeft + 5650;
constexpr int subreportLeft = marginLeft + 1050;

bool isOrderRow(const TextRow &row)
{
    const TextItem *first = row.first();
    bool digits = false;
    if (first)
        first->text.toLongLong(&digits);
    return digits && first->box.left() == marginLeft && first->font.bold && row.textAt(orderClientLeft);
}

bool isLineRow(const TextRow &row)
{
    const TextItem *first = row.first();
    return first && first->box.left() == subreportLeft && first->font.pointSize == 8.0 && !first->font.italic
        && !first->font.bold;
}

std::vector<PrintedOrder> printedOrders(const std::vector<TextRow> &rows)
{
    std::vector<PrintedOrder> orders;
    for (const auto &row : rows) {
        if (isOrderRow(row)) {
            orders.push_back({row.firstText().toLongLong(), row.textAt(orderClientLeft).value_or(QString()),
                              row.textAt(orderSellerLeft).value_or(QString()), 0, std::nullopt});
        } else if (!orders.empty() && isLineRow(row)) {
            ++orders.back().lineRows;
        } else if (!orders.empty() && row.texts().contains(u"Total de la comanda"_s)) {
            orders.back().total = row.items.back().text == u"Total de la comanda" ? QString() : row.items.back().text;
        }
    }
    return orders;
}

QStringList textsAfter(const std::vector<TextRow> &rows, const QString &label)
{
    QStringList values;
    for (const auto &row : rows) {
        const QStringList texts = row.texts();
        const qsizetype at = texts.indexOf(label);
        if (at >= 0 && at + 1 < texts.size())
            values << texts[at + 1];
    }
    return values;
}

/// Orders of client 90 and 91, through a link of the given kind; 91 has
/// no order at all.
QByteArray clientOrdersReport(const QString &join)
{
    return uR"(<?xml version="1.0" encoding="UTF-8"?>
<report formatVersion="1" title="Comandes de dos clients">
  <tables><table name="Clients"/><table name="Comandes"/></tables>
  <links><link from="Clients" to="Comandes" join="%1"><on from="IdClient" to="IdClient"/></link></links>
  <recordSelection>{Clients.IdClient} = 90 or {Clients.IdClient} = 91</recordSelection>
  <sorts><sort field="{Clients.IdClient}" direction="ascending"/><sort field="{Comandes.IdComanda}" direction="ascending"/></sorts>
  <sections>
    <details name="Fila" height="240">
      <field name="Client" left="0" top="0" width="1000" height="240" source="{Clients.IdClient}" format="0"/>
      <field name="Comanda" left="1500" top="0" width="1000" height="240" source="{Comandes.IdComanda}" format="0"/>
    </details>
  </sections>
</report>)"_s.arg(join).toUtf8();
}
} // namespace

class JoinsAndSelectionTest : public QObject {
    Q_OBJECT

    std::optional<AccessCsv> m_clients;

private slots:
    void initTestCase()
    {
        m_clients = AccessCsv::exportTable(databasePath(), u"Clients"_s);
        if (!m_clients)
            QSKIP("mdb-export cannot read the fixture");
    }

    void directoryListsTheActiveClientsInCatalanOrder()
    {
        ReportRun run(exampleReport(u"clients.rpt"_s), databasePath());
        const auto source = run.layOutAll();
        const auto rows = allTextRows(*source);
        std::vector<DirectoryEntry> printed;
        for (const auto &row : rows)
            if (isDirectoryRow(row))
                printed.push_back(directoryEntry(row));
        // The sort is stable, so clients whose names tie keep the table's
        // order, which is mdb-export's.
        auto expected = activeClientsFromCsv(*m_clients);
        std::stable_sort(expected.begin(), expected.end(), [](const DirectoryEntry &a, const DirectoryEntry &b) {
            return catalanPrimaryKey(a.name) < catalanPrimaryKey(b.name);
        });
        QCOMPARE(source->recordCount(), qint64(expected.size()));
        QCOMPARE(textsAfter(rows, u"Nombre de clients actius:"_s), QStringList{QString::number(expected.size())});
        QCOMPARE(printed.size(), expected.size());
        for (size_t i = 0; i < printed.size(); ++i) {
            const QString where = u"row %1, «%2»"_s.arg(i + 1).arg(expected[i].name);
            QVERIFY2(showsAsCut(printed[i].name, expected[i].name), qPrintable(where + u": "_s + printed[i].name));
            QVERIFY2(showsAsCut(printed[i].city, expected[i].city), qPrintable(where + u": "_s + printed[i].city));
            QVERIFY2(showsAsCut(printed[i].country, expected[i].country), qPrintable(where));
            QCOMPARE(printed[i].phone, expected[i].phone);
        }
    }

    void telephoneShownAsTheReportSays_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("minimum");
        // The file has 5 NULL and 5 empty phones; the directory shows the
        // active ones among them with the placeholder, never blank.
        QTest::newRow("placeholder for NULL and empty phones") << u"(sense telèfon)"_s << 1;
        QTest::newRow("no blank phone cell") << QString() << 0;
    }
    void telephoneShownAsTheReportSays()
    {
        QFETCH(QString, state);
        QFETCH(int, minimum);
        int expected = 0;
        for (int row = 0; row < m_clients->rowCount(); ++row)
            if (m_clients->text(row, u"Actiu"_s) == u"1" && shownPhone(m_clients->field(row, u"Telefon"_s)) == state)
                ++expected;
        QVERIFY(expected >= minimum);
        ReportRun run(exampleReport(u"clients.rpt"_s), databasePath());
        int printed = 0;
        for (const auto &row : allTextRows(*run.layOutAll()))
            if (isDirectoryRow(row) && row.textAt(marginLeft + 6450).value_or(QString()) == state)
                ++printed;
        QCOMPARE(printed, expected);
    }

    void catalanOrderOfNames_data()
    {
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QString>("later");
        // What a Catalan reader expects, whatever the code points say.
        QTest::newRow("accented letter sorts with its base letter: Àngel before Bernat") << u"Àngel"_s << u"Bernat"_s;
        QTest::newRow("case does not put capitals first: alba before Bernat") << u"alba"_s << u"Bernat"_s;
        QTest::newRow("ç sorts with c: Caça before Cad") << u"Caça"_s << u"Cad"_s;
        QTest::newRow("the middle dot of l·l is ignored: Col·legi before Colom") << u"Col·legi"_s << u"Colom"_s;
        QTest::newRow("ñ sorts with n: Ibáñez before Ibarra") << u"Ibáñez"_s << u"Ibarra"_s;
    }
    void catalanOrderOfNames()
    {
        // The expectation the directory is checked with must itself be right.
        QFETCH(QString, earlier);
        QFETCH(QString, later);
        QVERIFY(catalanMayPrecede(earlier, later));
        QVERIFY(!catalanMayPrecede(later, earlier));
    }

    void ordersOf2025ShowTheirLinesAndTotals()
    {
        const auto expected = ordersOfYear(u"2025"_s);
        QVERIFY(!expected.empty());
        ReportRun run(exampleReport(u"comandes-amb-linies.rpt"_s), databasePath());
        const auto source = run.layOutAll();
        const auto rows = allTextRows(*source);
        QCOMPARE(source->recordCount(), qint64(expected.size()));
        QCOMPARE(textsAfter(rows, u"Comandes de l'any:"_s), QStringList{QString::number(expected.size())});

        const auto printed = printedOrders(rows);
        QCOMPARE(printed.size(), expected.size());
        std::vector<ExpectedOrder> inReportOrder;
        for (const auto &[id, order] : expected)
            inReportOrder.push_back(order);
        std::stable_sort(inReportOrder.begin(), inReportOrder.end(),
                         [](const ExpectedOrder &a, const ExpectedOrder &b) { return a.date < b.date; });
        for (size_t i = 0; i < printed.size(); ++i) {
            const ExpectedOrder &order = inReportOrder[i];
            const QString where = u"order %1"_s.arg(order.id);
            QCOMPARE(printed[i].id, order.id);
            QVERIFY2(showsAsCut(printed[i].client, order.client), qPrintable(where + u": "_s + printed[i].client));
            QVERIFY2(showsAsCut(printed[i].seller, order.seller), qPrintable(where + u": "_s + printed[i].seller));
            QVERIFY2(printed[i].lineRows == order.lineCount,
                     qPrintable(where + u": %1 line rows, %2 in the CSV"_s.arg(printed[i].lineRows).arg(order.lineCount)));
            QVERIFY2(printed[i].total, qPrintable(where + u" has no total"_s));
            const auto cents = parseCatalanNumber(*printed[i].total, 2);
            QVERIFY2(cents && centsMatch(*cents, order.amountMillionths), qPrintable(where + u": "_s + *printed[i].total));
        }
    }

    void ordersPerMonthAddUpToTheYear()
    {
        const auto expected = ordersOfYear(u"2025"_s);
        std::map<int, int> counts;
        for (const auto &[id, order] : expected)
            ++counts[order.date.mid(5, 2).toInt()];
        QStringList expectedCounts;
        for (const auto &[month, count] : counts)
            expectedCounts << QString::number(count);
        ReportRun run(exampleReport(u"comandes-amb-linies.rpt"_s), databasePath());
        QCOMPARE(textsAfter(allTextRows(*run.layOutAll()), u"Comandes del mes:"_s), expectedCounts);
    }

    void anOrderWithoutLinesStillShowsWithAnEmptyTotal()
    {
        // Order 767 has no lines: the order is a record of the main report,
        // and its subreport prints its header and footer over no lines; a
        // sum over no values is Null, shown empty.
        ScratchFiles scratch;
        const QString report = scratch.editedExample(u"comandes-amb-linies.rpt"_s,
                                                     u"Year({Comandes.DataComanda}) = 2025"_s,
                                                     u"{Comandes.IdComanda} = 767"_s);
        QVERIFY(!report.isEmpty());
        ReportRun run(report, databasePath());
        const auto source = run.layOutAll();
        QCOMPARE(source->recordCount(), qint64(1));
        const auto printed = printedOrders(allTextRows(*source));
        QCOMPARE(printed.size(), size_t(1));
        QCOMPARE(printed[0].id, qint64(767));
        QCOMPARE(printed[0].lineRows, 0);
        QCOMPARE(printed[0].total.value_or(u"(no footer)"_s), QString());
    }

    void aClientWithoutOrdersAndTheJoin_data()
    {
        QTest::addColumn<QString>("join");
        QTest::addColumn<bool>("client91Shown");
        QTest::newRow("left outer keeps client 91 once, with no order") << u"leftOuter"_s << true;
        QTest::newRow("inner drops client 91, who has no partner") << u"inner"_s << false;
    }
    void aClientWithoutOrdersAndTheJoin()
    {
        QFETCH(QString, join);
        QFETCH(bool, client91Shown);
        const auto orders = AccessCsv::exportTable(databasePath(), u"Comandes"_s);
        QVERIFY(orders);
        QStringList expected;
        for (int r = 0; r < orders->rowCount(); ++r)
            if (orders->text(r, u"IdClient"_s) == u"90")
                expected << u"90 "_s + orders->text(r, u"IdComanda"_s);
        QVERIFY(!expected.isEmpty());
        if (client91Shown)
            expected << u"91"_s;

        ScratchFiles scratch;
        ReportRun run(scratch.write(u"dos-clients.rpt"_s, clientOrdersReport(join)), databasePath());
        const auto source = run.layOutAll();
        QStringList printed;
        for (const auto &row : allTextRows(*source))
            printed << row.texts().join(u' ').trimmed();
        QCOMPARE(printed, expected);
        QCOMPARE(source->recordCount(), qint64(expected.size()));
    }
};

QTEST_MAIN(JoinsAndSelectionTest)
#include "test_joins_and_selection.moc"
