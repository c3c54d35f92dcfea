#include "engine/data/AccessDatabase.h"
#include "engine/data/JoinedRows.h"
#include "engine/data/TypedColumn.h"
#include "../support/TestData.h"

#include <QTest>

#include <limits>

using namespace velmora;
using velmora::testing::testDataPath;

Q_DECLARE_METATYPE(std::vector<quint32>)

class TestColumnStorage : public QObject {
    Q_OBJECT

private slots:
    // Texts kept once must still give back every row's own text, null
    // and empty told apart.
    void repeatedTextsAreKeptOnce()
    {
        TextDictionary texts;
        const QStringList countries{QStringLiteral("Espanya"), QStringLiteral("França"), QStringLiteral("Espanya")};
        for (const QString &c : countries)
            texts.append(c);
        texts.append(QString());
        texts.append(QStringLiteral(""));
        texts.append(QString());
        texts.finish();
        QCOMPARE(texts.rowCount(), 6);
        QCOMPARE(texts.textCount(), 4); // Espanya, França, null, empty
        QCOMPARE(texts.idAt(0), texts.idAt(2));
        QCOMPARE(texts.at(1), QStringLiteral("França"));
        QVERIFY(texts.at(3).isNull());
        QVERIFY(!texts.at(4).isNull());
        QVERIFY(texts.at(4).isEmpty());
        QCOMPARE(texts.idAt(3), texts.idAt(5));
    }

    // A column of mostly distinct texts gives up looking them up, and every
    // row still reads back; texts met before giving up are still shared.
    void manyDistinctTextsReadBack()
    {
        TextDictionary texts;
        for (int i = 0; i < 20000; ++i)
            texts.append(i % 2 == 0 ? QStringLiteral("nota %1").arg(i) : QStringLiteral("igual"));
        texts.append(QStringLiteral("nota 0"));
        texts.finish();
        QCOMPARE(texts.rowCount(), 20001);
        for (int i = 0; i < 20000; ++i)
            QCOMPARE(texts.at(i), i % 2 == 0 ? QStringLiteral("nota %1").arg(i) : QStringLiteral("igual"));
        QCOMPARE(texts.at(20000), QStringLiteral("nota 0"));
        QVERIFY(texts.textCount() < 20001);
    }

    // Two halves of a column read apart join up in order.
    void columnsReadInPartsJoinInOrder()
    {
        TypedColumn first(QStringLiteral("Pais"), ValueType::String);
        TypedColumn second(QStringLiteral("Pais"), ValueType::String);
        first.appendString(QStringLiteral("Andorra"));
        first.appendNull();
        second.appendString(QStringLiteral("Suïssa"));
        second.appendString(QStringLiteral("Andorra"));
        second.appendNull();
        first.appendRows(std::move(second));
        first.finish();
        QCOMPARE(first.rowCount(), 5);
        QCOMPARE(first.value(0), Value::string(QStringLiteral("Andorra")));
        QVERIFY(first.isNull(1));
        QCOMPARE(first.value(2), Value::string(QStringLiteral("Suïssa")));
        QCOMPARE(first.texts().idAt(3), first.texts().idAt(0));
        QVERIFY(first.isNull(4));
        QVERIFY(first.stringAt(4).isEmpty());
    }

    // Integers stay 32 bits wide until one does not fit; widening keeps
    // the values before it, in one part or across parts.
    void integersWidenWhenOneDoesNotFit_data()
    {
        QTest::addColumn<bool>("acrossParts");
        QTest::newRow("in one column") << false;
        QTest::newRow("a narrow part followed by a wide one") << true;
    }
    void integersWidenWhenOneDoesNotFit()
    {
        QFETCH(bool, acrossParts);
        const qint64 big = qint64(std::numeric_limits<qint32>::max()) + 1;
        TypedColumn column(QStringLiteral("Import"), ValueType::Currency);
        column.appendInt64(std::numeric_limits<qint32>::min());
        column.appendNull();
        TypedColumn later(QStringLiteral("Import"), ValueType::Currency);
        (acrossParts ? later : column).appendInt64(big);
        (acrossParts ? later : column).appendInt64(-7);
        if (acrossParts)
            column.appendRows(std::move(later));
        column.finish();
        QCOMPARE(column.rowCount(), 4);
        QCOMPARE(column.int64At(0), qint64(std::numeric_limits<qint32>::min()));
        QCOMPARE(column.int64At(1), std::nullopt);
        QCOMPARE(column.value(2), Value::currency(Currency{big}));
        QCOMPARE(column.int64At(3), qint64(-7));
    }

    // Joined row numbers come back as given in every width they are kept
    // in, the missing side of an outer join included.
    void joinedRowNumbersComeBackAsGiven_data()
    {
        QTest::addColumn<std::vector<quint32>>("second");
        QTest::newRow("a small table, one row missing") << std::vector<quint32>{3, JoinedRows::missing, 0, 65534};
        QTest::newRow("a large table, one row missing") << std::vector<quint32>{70000, 2, JoinedRows::missing, 65535};
        QTest::newRow("joined row i is row i") << std::vector<quint32>{0, 1, 2, 3};
    }
    void joinedRowNumbersComeBackAsGiven()
    {
        QFETCH(std::vector<quint32>, second);
        std::vector<quint32> interleaved;
        for (quint32 i = 0; i < second.size(); ++i)
            interleaved.insert(interleaved.end(), {i, second[i]});
        const JoinedRows rows({QStringLiteral("a"), QStringLiteral("b")}, interleaved);
        QCOMPARE(rows.rowCount(), qsizetype(second.size()));
        for (quint32 i = 0; i < second.size(); ++i) {
            QCOMPARE(rows.rowOf(i, 0), i);
            QCOMPARE(rows.rowOf(i, 1), second[i]);
        }
    }

    // The order lines are stored in key order; read by two threads, each
    // taking half of the pages, they must still come out whole and in order.
    void aTableReadByTwoThreadsKeepsItsOrder()
    {
        const auto database = AccessDatabase::open(testDataPath(QStringLiteral("empresa.mdb")), QString());
        const auto lines = database->readColumns(QStringLiteral("LiniesComanda"),
                                                 {QStringLiteral("IdLinia"), QStringLiteral("Quantitat")}, CancelToken());
        QCOMPARE(lines->rowCount(), 6000);
        for (int row = 0; row < lines->rowCount(); ++row)
            QCOMPARE(lines->integerKey(row, 0), qint64(row + 1));
    }
};

QTEST_GUILESS_MAIN(TestColumnStorage)
#include "test_column_storage.moc"
