#include "engine/layout/SummaryAccumulator.h"

#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::Value)
Q_DECLARE_METATYPE(velmora::SummaryOperation)

namespace {
Value money(const char *text) { return Value::currency(*Currency::fromString(QLatin1String(text))); }
} // namespace

class SummaryTest : public QObject {
    Q_OBJECT
private slots:
    void results_data()
    {
        QTest::addColumn<SummaryOperation>("operation");
        QTest::addColumn<QList<Value>>("values");
        QTest::addColumn<Value>("expected");
        const Value null;
        QTest::newRow("currency sum stays exact: ten times 0.10 is 1.00")
            << SummaryOperation::Sum << QList<Value>(10, money("0.1")) << money("1");
        QTest::newRow("integers and currency sum as currency")
            << SummaryOperation::Sum << QList<Value>{Value::integer(2), money("0.5")} << money("2.5");
        QTest::newRow("a double turns the sum into a double")
            << SummaryOperation::Sum << QList<Value>{money("1"), Value::number(0.25)} << Value::number(1.25);
        QTest::newRow("integer overflow moves to floating point")
            << SummaryOperation::Sum
            << QList<Value>{Value::integer(std::numeric_limits<qint64>::max()), Value::integer(1)}
            << Value::number(9.2233720368547758e18);
        QTest::newRow("nulls are skipped by sum") << SummaryOperation::Sum << QList<Value>{null, Value::integer(3)}
                                                  << Value::integer(3);
        QTest::newRow("sum of nothing is null") << SummaryOperation::Sum << QList<Value>{null} << null;
        QTest::newRow("count skips nulls") << SummaryOperation::Count << QList<Value>{null, Value::string(QString()), Value::integer(0)}
                                           << Value::integer(2);
        QTest::newRow("distinct count: empty string and null differ, 1 and 1.0 are one")
            << SummaryOperation::DistinctCount
            << QList<Value>{Value::string(QString()), null, Value::integer(1), Value::number(1.0), Value::string(QStringLiteral("a"))}
            << Value::integer(3);
        QTest::newRow("average of currency rounds half away from zero at the fourth place")
            << SummaryOperation::Average << QList<Value>{money("0.0001"), money("0.0002")} << money("0.0002");
        QTest::newRow("average of integers is a number") << SummaryOperation::Average
                                                         << QList<Value>{Value::integer(1), Value::integer(2)}
                                                         << Value::number(1.5);
        QTest::newRow("minimum orders text by the collation, à with a")
            << SummaryOperation::Minimum
            << QList<Value>{Value::string(QStringLiteral("b")), Value::string(QStringLiteral("àa"))}
            << Value::string(QStringLiteral("àa"));
        QTest::newRow("maximum across integer and currency") << SummaryOperation::Maximum
                                                             << QList<Value>{Value::integer(2), money("2.5"), null}
                                                             << money("2.5");
    }
    void results()
    {
        QFETCH(SummaryOperation, operation);
        QFETCH(QList<Value>, values);
        QFETCH(Value, expected);
        SummaryAccumulator acc(operation);
        for (const Value &v : values)
            acc.add(v);
        const Value got = acc.result();
        QCOMPARE(got.type(), expected.type());
        if (got.type() == ValueType::Number)
            QCOMPARE(got.asNumber(), expected.asNumber());
        else
            QVERIFY2(got == expected, qPrintable(got.toDebugText() + QStringLiteral(" != ") + expected.toDebugText()));
    }
};

QTEST_APPLESS_MAIN(SummaryTest)
#include "test_summaries.moc"
