#include "engine/core/Failure.h"
#include "engine/data/AccessDatabase.h"
#include "engine/data/DataErrors.h"
#include "engine/data/TableJoiner.h"
#include "../support/TestData.h"

#include <QTest>

Q_DECLARE_METATYPE(std::vector<velmora::JoinLink>)

using namespace velmora;
using velmora::testing::testDataPath;

namespace {

AliasedTable read(const AccessDatabase &database, const QString &table, const QStringList &columns)
{
    return {table, database.readColumns(table, columns, CancelToken())};
}

// A small table built in memory: an integer key column and a text column.
AliasedTable memoryTable(const QString &alias, const QList<std::optional<qint64>> &keys, const QStringList &texts)
{
    TypedColumn key(QStringLiteral("Clau"), ValueType::Integer);
    TypedColumn text(QStringLiteral("Text"), ValueType::String);
    for (int i = 0; i < keys.size(); ++i) {
        keys[i] ? key.appendInt64(*keys[i]) : key.appendNull();
        text.appendString(texts.value(i));
    }
    return {alias, std::make_shared<const ColumnTable>(std::vector<TypedColumn>{key, text}, int(keys.size()))};
}

AliasedTable numberTable(const QString &alias, const QList<double> &keys)
{
    TypedColumn key(QStringLiteral("Clau"), ValueType::Number);
    for (const double k : keys)
        key.appendNumber(k);
    return {alias, std::make_shared<const ColumnTable>(std::vector<TypedColumn>{key}, int(keys.size()))};
}

QStringList names(std::initializer_list<const char *> list)
{
    QStringList result;
    for (const char *name : list)
        result << QString::fromUtf8(name);
    return result;
}

JoinLink link(const QString &from, const QString &fromField, const QString &to, const QString &toField,
              JoinKind kind = JoinKind::Inner)
{
    return {from, {fromField}, to, {toField}, kind};
}

JoinLink link(const char *from, const char *fromField, const char *to, const char *toField,
              JoinKind kind = JoinKind::Inner)
{
    return link(QString::fromUtf8(from), QString::fromUtf8(fromField), QString::fromUtf8(to),
                QString::fromUtf8(toField), kind);
}

int joinFailure(const std::vector<AliasedTable> &tables, const std::vector<JoinLink> &links)
{
    try {
        TableJoiner::join(tables, links, CancelToken());
    } catch (const Failure &failure) {
        return failure.number();
    }
    return 0;
}

QList<QList<quint32>> rowsOf(const JoinedRows &joined)
{
    QList<QList<quint32>> rows;
    for (qsizetype row = 0; row < joined.rowCount(); ++row) {
        QList<quint32> tuple;
        for (int table = 0; table < joined.tableCount(); ++table)
            tuple << joined.rowOf(row, table);
        rows << tuple;
    }
    return rows;
}

constexpr quint32 none = JoinedRows::missing;

} // namespace

class TestTableJoiner : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const auto database = AccessDatabase::open(testDataPath(QStringLiteral("empresa.mdb")), QString());
        m_clients = read(*database, QStringLiteral("Clients"), {QStringLiteral("IdClient"), QStringLiteral("Pais")});
        m_orders = read(*database, QStringLiteral("Comandes"), {QStringLiteral("IdComanda"), QStringLiteral("IdClient")});
        m_lines = read(*database, QStringLiteral("LiniesComanda"), {QStringLiteral("IdLinia"), QStringLiteral("IdComanda")});
    }

    // Counts checked against mdb-export of empresa.mdb: 120 clients of which
    // 119 have orders (not 91); 1,500 orders of which 1,499 have lines (not
    // 767); 6,000 lines, each with an order (the link enforces integrity).
    void joinsTheSalesTables_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("rows");
        QTest::newRow("orders to lines, inner: one row per line") << names({"Comandes", "LiniesComanda"})
                                                                  << int(JoinKind::Inner) << 6000;
        QTest::newRow("orders to lines, outer: order 767 kept alone")
            << names({"Comandes", "LiniesComanda"}) << int(JoinKind::LeftOuter) << 6001;
        QTest::newRow("clients to orders, inner: one row per order") << names({"Clients", "Comandes"})
                                                                     << int(JoinKind::Inner) << 1500;
        QTest::newRow("clients to orders, outer: client 91 kept alone")
            << names({"Clients", "Comandes"}) << int(JoinKind::LeftOuter) << 1501;
        QTest::newRow("clients to orders to lines, outer: 6000 + 767 + client 91")
            << names({"Clients", "Comandes", "LiniesComanda"}) << int(JoinKind::LeftOuter) << 6002;
        QTest::newRow("lines drive, to orders and clients, inner") << names({"LiniesComanda", "Comandes", "Clients"})
                                                                   << int(JoinKind::Inner) << 6000;
    }
    void joinsTheSalesTables()
    {
        QFETCH(QStringList, tables);
        QFETCH(int, kind);
        QFETCH(int, rows);
        std::vector<AliasedTable> aliased;
        for (const QString &name : tables)
            aliased.push_back(name == u"Clients" ? m_clients : name == u"Comandes" ? m_orders : m_lines);
        std::vector<JoinLink> links;
        for (int i = 0; i + 1 < tables.size(); ++i) {
            const bool clientsAndOrders = tables[i] == u"Clients" || tables[i + 1] == u"Clients";
            const QString key = clientsAndOrders ? QStringLiteral("IdClient") : QStringLiteral("IdComanda");
            links.push_back(link(tables[i], key, tables[i + 1], key, JoinKind(kind)));
        }
        QCOMPARE(TableJoiner::join(aliased, links, CancelToken()).rowCount(), qsizetype(rows));
    }

    void keepsTheUnmatchedSideMissing()
    {
        const JoinedRows joined = TableJoiner::join(
            {m_clients, m_orders}, {link("Clients", "IdClient", "Comandes", "IdClient", JoinKind::LeftOuter)}, CancelToken());
        int lonelyClients = 0;
        for (qsizetype row = 0; row < joined.rowCount(); ++row) {
            if (joined.rowOf(row, 1) != JoinedRows::missing)
                continue;
            ++lonelyClients;
            QCOMPARE(m_clients.table->value(int(joined.rowOf(row, 0)), 0), Value::integer(91));
        }
        QCOMPARE(lonelyClients, 1);
    }

    void ordersByTheDrivingTableThenByTheLinkedRows_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<QList<quint32>>>("expected");
        QTest::newRow("inner: row 1 has no partner and goes")
            << int(JoinKind::Inner) << QList<QList<quint32>>{{0, 1}, {0, 3}, {2, 0}};
        QTest::newRow("outer: row 1 stays, in its place")
            << int(JoinKind::LeftOuter) << QList<QList<quint32>>{{0, 1}, {0, 3}, {1, none}, {2, 0}};
    }
    void ordersByTheDrivingTableThenByTheLinkedRows()
    {
        QFETCH(int, kind);
        QFETCH(QList<QList<quint32>>, expected);
        const AliasedTable left = memoryTable(QStringLiteral("A"), {7, 8, 9}, {});
        const AliasedTable right = memoryTable(QStringLiteral("B"), {9, 7, 5, 7}, {});
        const JoinedRows joined = TableJoiner::join({left, right}, {link("A", "Clau", "B", "Clau", JoinKind(kind))}, CancelToken());
        QCOMPARE(rowsOf(joined), expected);
    }

    void matchesKeysAsAccessDoes_data()
    {
        QTest::addColumn<QStringList>("leftTexts");
        QTest::addColumn<QStringList>("rightTexts");
        QTest::addColumn<int>("rows");
        QTest::newRow("text ignores case") << names({"França"}) << names({"FRANÇA"}) << 1;
        QTest::newRow("text keeps accents apart") << names({"Franca"}) << names({"França"}) << 0;
        QTest::newRow("trailing space is a difference") << names({"Andorra"}) << names({"Andorra "}) << 0;
        QTest::newRow("empty text matches empty text") << names({""}) << names({""}) << 1;
    }
    void matchesKeysAsAccessDoes()
    {
        QFETCH(QStringList, leftTexts);
        QFETCH(QStringList, rightTexts);
        QFETCH(int, rows);
        const AliasedTable left = memoryTable(QStringLiteral("A"), {1}, leftTexts);
        const AliasedTable right = memoryTable(QStringLiteral("B"), {2}, rightTexts);
        QCOMPARE(TableJoiner::join({left, right}, {link("A", "Text", "B", "Text")}, CancelToken()).rowCount(), qsizetype(rows));
    }

    void nullKeysMatchNothing()
    {
        const AliasedTable left = memoryTable(QStringLiteral("A"), {std::nullopt, 1}, {});
        const AliasedTable right = memoryTable(QStringLiteral("B"), {std::nullopt, 1}, {});
        QCOMPARE(rowsOf(TableJoiner::join({left, right}, {link("A", "Clau", "B", "Clau", JoinKind::LeftOuter)}, CancelToken())),
                 (QList<QList<quint32>>{{0, none}, {1, 1}}));
    }

    void matchesAnIntegerWithTheEqualDouble()
    {
        const AliasedTable left = memoryTable(QStringLiteral("A"), {5, 6}, {});
        const AliasedTable right = numberTable(QStringLiteral("B"), {5.0, 6.5});
        QCOMPARE(rowsOf(TableJoiner::join({left, right}, {link("A", "Clau", "B", "Clau")}, CancelToken())),
                 (QList<QList<quint32>>{{0, 0}}));
    }

    void takesALinkWrittenFromTheLaterTable()
    {
        // B -> A with A driving: the outer side B keeps its unmatched row 1
        // at the end, after A's rows.
        const AliasedTable a = memoryTable(QStringLiteral("A"), {1, 2}, {});
        const AliasedTable b = memoryTable(QStringLiteral("B"), {2, 3}, {});
        QCOMPARE(rowsOf(TableJoiner::join({a, b}, {link("B", "Clau", "A", "Clau", JoinKind::LeftOuter)}, CancelToken())),
                 (QList<QList<quint32>>{{1, 0}, {none, 1}}));
    }

    void refusesBadLinks_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<std::vector<JoinLink>>("links");
        QTest::newRow("unknown alias") << int(DataErrors::UnknownAlias)
                                       << std::vector<JoinLink>{link("A", "Clau", "Z", "Clau")};
        QTest::newRow("unknown field") << int(DataErrors::UnknownJoinField)
                                       << std::vector<JoinLink>{link("A", "Clau", "B", "Nom")};
        QTest::newRow("fields not paired") << int(DataErrors::MismatchedJoinFields)
                                           << std::vector<JoinLink>{JoinLink{QStringLiteral("A"), names({"Clau", "Text"}), QStringLiteral("B"), names({"Clau"}), JoinKind::Inner}};
        QTest::newRow("no links between two tables") << int(DataErrors::UnlinkedTable) << std::vector<JoinLink>{};
    }
    void refusesBadLinks()
    {
        QFETCH(int, failure);
        QFETCH(std::vector<JoinLink>, links);
        QCOMPARE(joinFailure({memoryTable(QStringLiteral("A"), {1}, {}), memoryTable(QStringLiteral("B"), {1}, {})}, links),
                 failure);
    }

    void refusesATableNoLinkReaches()
    {
        const AliasedTable a = memoryTable(QStringLiteral("A"), {1}, {});
        const AliasedTable b = memoryTable(QStringLiteral("B"), {1}, {});
        const AliasedTable c = memoryTable(QStringLiteral("C"), {1}, {});
        QCOMPARE(joinFailure({a, b, c}, {link("A", "Clau", "B", "Clau")}), int(DataErrors::UnlinkedTable));
        QCOMPARE(joinFailure({a, a}, {link("A", "Clau", "A", "Clau")}), int(DataErrors::DuplicateAlias));
    }

    void aSingleTableNeedsNoLink()
    {
        QCOMPARE(TableJoiner::join({m_orders}, {}, CancelToken()).rowCount(), qsizetype(1500));
    }

private:
    AliasedTable m_clients;
    AliasedTable m_orders;
    AliasedTable m_lines;
};

QTEST_GUILESS_MAIN(TestTableJoiner)
#include "test_table_joiner.moc"
