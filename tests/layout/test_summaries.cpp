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

    void statistics_data()
    {
        QTest::addColumn<SummaryOperation>("operation");
        QTest::addColumn<double>("argument");
        QTest::addColumn<QList<Value>>("values");
        QTest::addColumn<QList<Value>>("weights");
        QTest::addColumn<Value>("expected");
        const Value null;
        const auto ints = [](std::initializer_list<qint64> list) {
            QList<Value> v;
            for (qint64 i : list)
                v.append(Value::integer(i));
            return v;
        };
        const auto text = [](const char *t) { return Value::string(QString::fromUtf8(t)); };
        QTest::newRow("median of an odd count is the middle value")
            << SummaryOperation::Median << 0.0 << ints({9, 1, 5}) << QList<Value>{} << Value::number(5);
        QTest::newRow("median of an even count is halfway between the middle two")
            << SummaryOperation::Median << 0.0 << ints({4, 1, 2, 3}) << QList<Value>{} << Value::number(2.5);
        QTest::newRow("median of currency stays currency, rounded half away at the fourth place")
            << SummaryOperation::Median << 0.0 << QList<Value>{money("0.0001"), money("0.0002")} << QList<Value>{}
            << money("0.0002");
        QTest::newRow("median skips nulls and text")
            << SummaryOperation::Median << 0.0 << QList<Value>{null, Value::integer(7), text("x")} << QList<Value>{}
            << Value::number(7);
        QTest::newRow("median of nothing is null") << SummaryOperation::Median << 0.0 << QList<Value>{null}
                                                   << QList<Value>{} << null;
        QTest::newRow("90th percentile interpolates between ranks 8 and 9 of 10")
            << SummaryOperation::Percentile << 90.0 << ints({10, 1, 2, 3, 4, 5, 6, 7, 8, 9}) << QList<Value>{}
            << Value::number(9.1);
        QTest::newRow("0th and 100th percentiles are the extremes")
            << SummaryOperation::Percentile << 100.0 << ints({3, 8, 1}) << QList<Value>{} << Value::number(8);
        QTest::newRow("percentile leaves exact units once a double joins")
            << SummaryOperation::Percentile << 50.0 << QList<Value>{money("1"), Value::number(2.5), money("4")}
            << QList<Value>{} << Value::number(2.5);
        QTest::newRow("mode: the most frequent; a tie goes to the smaller value")
            << SummaryOperation::Mode << 0.0 << ints({3, 1, 3, 1, 2}) << QList<Value>{} << Value::integer(1);
        QTest::newRow("mode works on text")
            << SummaryOperation::Mode << 0.0 << QList<Value>{text("b"), text("a"), text("b")} << QList<Value>{}
            << text("b");
        QTest::newRow("second most frequent")
            << SummaryOperation::NthMostFrequent << 2.0 << ints({5, 5, 5, 7, 7, 9}) << QList<Value>{}
            << Value::integer(7);
        QTest::newRow("third most frequent of two distinct values is null")
            << SummaryOperation::NthMostFrequent << 3.0 << ints({5, 7}) << QList<Value>{} << null;
        QTest::newRow("second largest counts equal values once")
            << SummaryOperation::NthLargest << 2.0 << ints({9, 9, 4, 1}) << QList<Value>{} << Value::integer(4);
        QTest::newRow("second smallest")
            << SummaryOperation::NthSmallest << 2.0 << ints({9, 1, 1, 4}) << QList<Value>{} << Value::integer(4);
        QTest::newRow("fifth largest of three values is null")
            << SummaryOperation::NthLargest << 5.0 << ints({1, 2, 3}) << QList<Value>{} << null;
        QTest::newRow("sample variance divides by n - 1")
            << SummaryOperation::Variance << 0.0 << ints({2, 4, 4, 4, 5, 5, 7, 9}) << QList<Value>{}
            << Value::number(32.0 / 7);
        QTest::newRow("population standard deviation divides by n")
            << SummaryOperation::PopulationStdDev << 0.0 << ints({2, 4, 4, 4, 5, 5, 7, 9}) << QList<Value>{}
            << Value::number(2);
        QTest::newRow("sample deviation of one value is null")
            << SummaryOperation::StdDev << 0.0 << ints({5}) << QList<Value>{} << null;
        QTest::newRow("population variance of one value is zero")
            << SummaryOperation::PopulationVariance << 0.0 << ints({5}) << QList<Value>{} << Value::number(0);
        QTest::newRow("variance of large currency values keeps every digit")
            << SummaryOperation::PopulationVariance << 0.0
            << QList<Value>{money("100000000.0001"), money("100000000.0003")} << QList<Value>{}
            << Value::number(1e-8);
        QTest::newRow("weighted average of currency by integer weights is currency")
            << SummaryOperation::WeightedAverage << 0.0 << QList<Value>{money("10"), money("20")} << ints({1, 3})
            << money("17.5");
        QTest::newRow("weighted average skips records whose weight is null")
            << SummaryOperation::WeightedAverage << 0.0 << ints({10, 20}) << QList<Value>{null, Value::integer(2)}
            << Value::number(20);
        QTest::newRow("weights adding up to zero give null")
            << SummaryOperation::WeightedAverage << 0.0 << ints({10, 20}) << ints({1, -1}) << null;
    }
    void statistics()
    {
        QFETCH(SummaryOperation, operation);
        QFETCH(double, argument);
        QFETCH(QList<Value>, values);
        QFETCH(QList<Value>, weights);
        QFETCH(Value, expected);
        SummaryAccumulator acc(operation, argument);
        for (qsizetype i = 0; i < values.size(); ++i)
            acc.add(values[i], i < weights.size() ? weights[i] : Value());
        const Value got = acc.result();
        QCOMPARE(got.type(), expected.type());
        if (got.type() == ValueType::Number)
            QVERIFY2(qAbs(got.asNumber() - expected.asNumber()) <= 1e-12 * qMax(1.0, qAbs(expected.asNumber())),
                     qPrintable(got.toDebugText() + QStringLiteral(" != ") + expected.toDebugText()));
        else
            QVERIFY2(got == expected, qPrintable(got.toDebugText() + QStringLiteral(" != ") + expected.toDebugText()));
        // Starting again forgets everything.
        acc.reset();
        QVERIFY(acc.result().isNull() || operation == SummaryOperation::Count);
    }
};

QTEST_APPLESS_MAIN(SummaryTest)
#include "test_summaries.moc"
