#include "engine/data/AccessDatabase.h"
#include "engine/data/FieldDecoder.h"
#include "../support/TestData.h"

#include <QTest>

#include <limits>

using namespace velmora;
using velmora::testing::testDataPath;

namespace {

std::shared_ptr<AccessDatabase> openFixture(const QString &file)
{
    return AccessDatabase::open(testDataPath(file), QString());
}

std::shared_ptr<const ColumnTable> allColumns(const AccessDatabase &database, const QString &table)
{
    QStringList columns;
    const auto schema = database.schema(table);
    for (const ColumnSchema &column : schema->columns)
        columns << column.name;
    return database.readColumns(table, columns, CancelToken());
}

int rowWithInteger(const ColumnTable &table, const QString &column, qint64 value)
{
    const int index = table.columnIndex(column);
    for (int row = 0; row < table.rowCount(); ++row)
        if (table.integerKey(row, index) == value)
            return row;
    return -1;
}

Value dateTime(int y, int m, int d, int h = 0, int min = 0, int s = 0)
{
    return Value::dateTime(DateTime::fromDateAndTime(QDate(y, m, d), QTime(h, min, s)));
}

Value units(qint64 tenThousandths)
{
    return Value::currency(Currency{tenThousandths});
}

} // namespace

class TestAccessValues : public QObject {
    Q_OBJECT

private slots:
    // tipus.mdb's Tipus rows, as the fixture's description lists them (row N
    // has Id N).
    void readsEveryEdgeValueExactly_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("column");
        QTest::addColumn<Value>("expected");
        const QByteArray zeroByte(1, '\0');
        const QByteArray allOnes(16, char(0xFF));

        QTest::newRow("row 1: Byte null") << 1 << "ValByte" << Value::null();
        QTest::newRow("row 1: text null") << 1 << "ValText" << Value::null();
        QTest::newRow("row 1: memo null") << 1 << "ValMemo" << Value::null();
        QTest::newRow("row 1: GUID null") << 1 << "ValGuid" << Value::null();
        QTest::newRow("row 1: Decimal null") << 1 << "ValNumeric" << Value::null();
        QTest::newRow("row 1: Yes/No is never null, No") << 1 << "ValBoolean" << Value::boolean(false);

        QTest::newRow("row 2: Byte minimum 0") << 2 << "ValByte" << Value::integer(0);
        QTest::newRow("row 2: Integer minimum") << 2 << "ValInt" << Value::integer(-32768);
        QTest::newRow("row 2: Long minimum") << 2 << "ValLong" << Value::integer(std::numeric_limits<qint32>::min());
        QTest::newRow("row 2: Currency minimum, all 64 bits") << 2 << "ValMoney" << units(std::numeric_limits<qint64>::min());
        QTest::newRow("row 2: Single minimum as its shortest double") << 2 << "ValFloat" << Value::number(-3.4028235e38);
        QTest::newRow("row 2: Double minimum") << 2 << "ValDouble" << Value::number(-1.7976931348623157e308);
        QTest::newRow("row 2: Decimal(18,4) minimum, exact") << 2 << "ValNumeric" << units(-999999999999999999LL);
        QTest::newRow("row 2: 1753-01-01, before day 0") << 2 << "ValDate" << dateTime(1753, 1, 1);
        QTest::newRow("row 2: GUID of zeros, braces and four dashes") << 2 << "ValGuid"
                                                                       << Value::string(QStringLiteral("{00000000-0000-0000-0000-000000000000}"));
        QTest::newRow("row 2: Binary holding one zero byte is not empty") << 2 << "ValBinary" << Value::binary(zeroByte);
        QTest::newRow("row 2: OLE holding one zero byte") << 2 << "ValOle" << Value::binary(zeroByte);

        QTest::newRow("row 3: Byte maximum") << 3 << "ValByte" << Value::integer(255);
        QTest::newRow("row 3: Integer maximum") << 3 << "ValInt" << Value::integer(32767);
        QTest::newRow("row 3: Long maximum") << 3 << "ValLong" << Value::integer(2147483647);
        QTest::newRow("row 3: Currency maximum") << 3 << "ValMoney" << units(std::numeric_limits<qint64>::max());
        QTest::newRow("row 3: Single maximum") << 3 << "ValFloat" << Value::number(3.4028235e38);
        QTest::newRow("row 3: Double maximum") << 3 << "ValDouble" << Value::number(1.7976931348623157e308);
        QTest::newRow("row 3: Decimal maximum") << 3 << "ValNumeric" << units(999999999999999999LL);
        QTest::newRow("row 3: 9999-12-31 23:59:59, after year 4637") << 3 << "ValDate" << dateTime(9999, 12, 31, 23, 59, 59);
        QTest::newRow("row 3: GUID of all F") << 3 << "ValGuid"
                                              << Value::string(QStringLiteral("{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"));
        QTest::newRow("row 3: Binary of 16 x FF") << 3 << "ValBinary" << Value::binary(allOnes);
        QTest::newRow("row 3: Yes") << 3 << "ValBoolean" << Value::boolean(true);

        QTest::newRow("row 4: Currency zero") << 4 << "ValMoney" << units(0);
        QTest::newRow("row 4: day 0 is 1899-12-30") << 4 << "ValDate" << dateTime(1899, 12, 30);
        QTest::newRow("row 4: zero-length Binary is empty, not null") << 4 << "ValBinary" << Value::binary(QByteArray(""));
        QTest::newRow("row 4: zero-length OLE is empty, not null") << 4 << "ValOle" << Value::binary(QByteArray(""));

        QTest::newRow("row 5: smallest Single subnormal prints back as 1e-45") << 5 << "ValFloat" << Value::number(1e-45);
        QTest::newRow("row 5: smallest Double subnormal") << 5 << "ValDouble" << Value::number(4.9406564584124654e-324);
        QTest::newRow("row 5: Currency -0.0001") << 5 << "ValMoney" << units(-1);
        QTest::newRow("row 5: Decimal -0.0001") << 5 << "ValNumeric" << units(-1);
        QTest::newRow("row 5: 1900-01-01") << 5 << "ValDate" << dateTime(1900, 1, 1);

        QTest::newRow("row 6: Currency -1234.5678") << 6 << "ValMoney" << units(-12345678);
        QTest::newRow("row 6: 2038-01-20") << 6 << "ValDate" << dateTime(2038, 1, 20);
        QTest::newRow("row 7: a time alone sits on day 0") << 7 << "ValDate" << dateTime(1899, 12, 30, 13, 45, 30);
        QTest::newRow("row 7: Byte 128 is not negative") << 7 << "ValByte" << Value::integer(128);
        QTest::newRow("row 8: 2038-01-19 03:14:07") << 8 << "ValDate" << dateTime(2038, 1, 19, 3, 14, 7);
        QTest::newRow("row 9: negative day count, time counts forward") << 9 << "ValDate" << dateTime(1800, 6, 15, 12, 30);
        QTest::newRow("row 10: leap day, last second") << 10 << "ValDate" << dateTime(2024, 2, 29, 23, 59, 59);

        QTest::newRow("row 12: Greek stored as UTF-16") << 12 << "ValText" << Value::string(QStringLiteral("Ελληνικά: Καλημέρα κόσμε"));
        QTest::newRow("row 13: Cyrillic") << 13 << "ValText" << Value::string(QStringLiteral("Кириллица: Привет, мир"));
        QTest::newRow("row 14: Chinese") << 14 << "ValText" << Value::string(QStringLiteral("中文：你好，世界"));
        QTest::newRow("row 15: emoji outside the BMP, surrogate pairs kept")
            << 15 << "ValText" << Value::string(QStringLiteral("Emoji: 😀 🎉 ok"));
        QTest::newRow("row 15: emoji with modifiers and flags in a memo")
            << 15 << "ValMemo" << Value::string(QStringLiteral("Emoji al memo: 👍🏽 🇦🇩"));

        QTest::newRow("row 17: empty text is not null") << 17 << "ValText" << Value::string(QString());
        QTest::newRow("row 17: empty memo is not null") << 17 << "ValMemo" << Value::string(QString());
        QTest::newRow("row 17: empty OLE is not null") << 17 << "ValOle" << Value::binary(QByteArray(""));
        QTest::newRow("row 18: null text") << 18 << "ValText" << Value::null();
        QTest::newRow("row 18: null memo") << 18 << "ValMemo" << Value::null();
        QTest::newRow("row 18: null OLE") << 18 << "ValOle" << Value::null();
        QTest::newRow("row 19: a single space survives compression") << 19 << "ValText" << Value::string(QStringLiteral(" "));
        QTest::newRow("row 20: quotes") << 20 << "ValText" << Value::string(QStringLiteral("cometes \"dobles\" i 'simples'"));
        QTest::newRow("row 21: tab") << 21 << "ValText" << Value::string(QStringLiteral("tab\tseparat"));
        QTest::newRow("row 23: markup characters untouched")
            << 23 << "ValText" << Value::string(QStringLiteral("<b>negreta</b> & a < b > c"));
    }
    void readsEveryEdgeValueExactly()
    {
        QFETCH(int, id);
        QFETCH(QString, column);
        QFETCH(Value, expected);
        static const auto table = allColumns(*openFixture(QStringLiteral("tipus.mdb")), QStringLiteral("Tipus"));
        const int row = rowWithInteger(*table, QStringLiteral("Id"), id);
        QVERIFY(row >= 0);
        const Value actual = table->value(row, table->columnIndex(column));
        QCOMPARE(actual.type(), expected.type());
        QCOMPARE(actual, expected);
        if (expected.type() == ValueType::String)
            QCOMPARE(actual.asString().isEmpty(), expected.asString().isEmpty());
    }

    void readsLongValuesWhole_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("ending");
        QTest::newRow("70,000-character memo across many pages") << 25 << "ValMemo" << 70000 << "[FI 70000]";
        QTest::newRow("4,200-character memo") << 26 << "ValMemo" << 4200 << "";
        QTest::newRow("text of the full 255 characters") << 26 << "ValText" << 255 << "";
    }
    void readsLongValuesWhole()
    {
        QFETCH(int, id);
        QFETCH(QString, column);
        QFETCH(int, length);
        QFETCH(QString, ending);
        const auto table = openFixture(QStringLiteral("tipus.mdb"))
                               ->readColumns(QStringLiteral("Tipus"), {QStringLiteral("Id"), column}, CancelToken());
        const QString text = table->value(rowWithInteger(*table, QStringLiteral("Id"), id), 1).asString();
        QCOMPARE(text.size(), length);
        QVERIFY(text.endsWith(ending));
    }

    void readsA10000ByteOleValue()
    {
        const auto table = openFixture(QStringLiteral("tipus.mdb"))
                               ->readColumns(QStringLiteral("Tipus"), {QStringLiteral("Id"), QStringLiteral("ValOle")}, CancelToken());
        QCOMPARE(table->value(rowWithInteger(*table, QStringLiteral("Id"), 25), 1).asBinary().size(), 10000);
    }

    void readsTheSameRowsInBothJetGenerations_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("Jet 3, one-byte text") << "testV1997.mdb";
        QTest::newRow("Jet 4, compressed UTF-16 text") << "testV2003.mdb";
    }
    void readsTheSameRowsInBothJetGenerations()
    {
        QFETCH(QString, file);
        const auto table = allColumns(*openFixture(file), QStringLiteral("Table1"));
        QCOMPARE(table->rowCount(), 2);
        int row = 0;
        while (row < 2 && table->value(row, 0) != Value::string(QStringLiteral("abcdefg")))
            ++row;
        QVERIFY(row < 2);
        const QList<Value> expected{Value::string(QStringLiteral("abcdefg")), Value::string(QStringLiteral("hijklmnop")),
                                    Value::integer(2),    Value::integer(222),
                                    Value::integer(333333333), Value::number(444.555),
                                    dateTime(1974, 9, 21), units(35000), Value::boolean(true)};
        for (int column = 0; column < expected.size(); ++column)
            QCOMPARE(table->value(row, column), expected[column]);
        QCOMPARE(table->value(1 - row, 8), Value::boolean(false));
        QCOMPARE(table->value(1 - row, 6), dateTime(1981, 12, 12));
    }

    void readsAceLikeJet4()
    {
        const auto jet4 = openFixture(QStringLiteral("empresa.mdb"));
        const auto ace = openFixture(QStringLiteral("empresa2010.accdb"));
        for (const QString &name : jet4->tableNames()) {
            const auto expected = allColumns(*jet4, name);
            const auto actual = allColumns(*ace, name);
            QCOMPARE(actual->rowCount(), expected->rowCount());
            for (int row = 0; row < expected->rowCount(); ++row)
                for (int column = 0; column < expected->columnCount(); ++column)
                    QCOMPARE(actual->value(row, column), expected->value(row, column));
        }
    }

    // Counts from the fixture's description of empresa.mdb.
    void tellsNullFromEmpty_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("nulls");
        QTest::addColumn<int>("empties");
        QTest::newRow("Telefon") << "Clients" << "Telefon" << 5 << 5;
        QTest::newRow("Ciutat: one empty, no null") << "Clients" << "Ciutat" << 0 << 1;
        QTest::newRow("Notes memo") << "Clients" << "Notes" << 108 << 2;
        QTest::newRow("Observacions memo") << "Comandes" << "Observacions" << 1323 << 21;
        QTest::newRow("DataEnviament dates") << "Comandes" << "DataEnviament" << 153 << 0;
    }
    void tellsNullFromEmpty()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(int, nulls);
        QFETCH(int, empties);
        const auto data = openFixture(QStringLiteral("empresa.mdb"))->readColumns(table, {column}, CancelToken());
        int nullCount = 0;
        int emptyCount = 0;
        for (int row = 0; row < data->rowCount(); ++row) {
            const Value value = data->value(row, 0);
            nullCount += value.isNull();
            emptyCount += value.type() == ValueType::String && value.asString().isEmpty();
        }
        QCOMPARE(nullCount, nulls);
        QCOMPARE(emptyCount, empties);
    }

    void readsTheLongestNoteWithItsLineBreaks()
    {
        const auto data = openFixture(QStringLiteral("empresa.mdb"))
                              ->readColumns(QStringLiteral("Clients"), {QStringLiteral("IdClient"), QStringLiteral("Notes")}, CancelToken());
        const QString note = data->value(rowWithInteger(*data, QStringLiteral("IdClient"), 7), 1).asString();
        QCOMPARE(note.size(), 4511);
        QVERIFY(note.contains(QStringLiteral("\r\n")));
    }

    // The header declares Windows-1252, so the GBK bytes show as what that
    // code page makes of them; guessing another code page would be wrong
    // for every honest file.
    void decodesJet3TextWithTheDeclaredCodePage()
    {
        const auto data = openFixture(QStringLiteral("charsetGBK.mdb"))
                              ->readColumns(QStringLiteral("table1"), {QStringLiteral("ID"), QStringLiteral("field1")}, CancelToken());
        QCOMPARE(data->value(0, 0), Value::integer(2));
        QCOMPARE(data->value(0, 1), Value::string(QStringLiteral("GBK±àÂë")));
    }

    void convertsSingleToTheDoubleThatPrintsTheSame_data()
    {
        QTest::addColumn<float>("single");
        QTest::addColumn<double>("expected");
        QTest::newRow("0.1f is not 0.10000000149011612") << 0.1f << 0.1;
        QTest::newRow("3.14159f") << 3.14159f << 3.14159;
        QTest::newRow("a whole number stays whole") << 14806.75f << 14806.75;
        QTest::newRow("largest float") << 3.4028235e38f << 3.4028235e38;
    }
    void convertsSingleToTheDoubleThatPrintsTheSame()
    {
        QFETCH(float, single);
        QFETCH(double, expected);
        QCOMPARE(FieldDecoder::singleToDouble(single), expected);
    }
};

QTEST_GUILESS_MAIN(TestAccessValues)
#include "test_access_values.moc"
