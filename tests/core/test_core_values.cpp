#include "engine/core/Currency.h"
#include "engine/core/DateTime.h"
#include "engine/core/Value.h"

#include <QtTest>

using namespace velmora;

class CoreValuesTest : public QObject {
    Q_OBJECT
private slots:
    void accessDaysRoundTrip_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::newRow("day zero") << 0.0 << QDate(1899, 12, 30) << QTime(0, 0);
        QTest::newRow("time only, 13:45:30") << (13 * 3600 + 45 * 60 + 30) / 86400.0 << QDate(1899, 12, 30) << QTime(13, 45, 30);
        QTest::newRow("negative days count time forward") << -1.25 << QDate(1899, 12, 29) << QTime(6, 0);
        QTest::newRow("1800-06-15 12:30") << -36357.5208333333 << QDate(1800, 6, 15) << QTime(12, 30);
        QTest::newRow("1753-01-01, earliest Access date") << -53688.0 << QDate(1753, 1, 1) << QTime(0, 0);
        QTest::newRow("9999-12-31 23:59:59, latest") << 2958465.99998843 << QDate(9999, 12, 31) << QTime(23, 59, 59);
        QTest::newRow("leap day") << 45351.0 << QDate(2024, 2, 29) << QTime(0, 0);
    }
    void accessDaysRoundTrip()
    {
        QFETCH(double, days);
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        const auto dt = DateTime::fromAccessDays(days);
        QVERIFY(dt.has_value());
        QCOMPARE(dt->date(), date);
        QCOMPARE(dt->time(), time);
        QVERIFY(std::fabs(dt->toAccessDays() - days) < 1e-6);
        QCOMPARE(DateTime::fromDateAndTime(date, time), *dt);
    }

    void nonFiniteDaysAreRefused()
    {
        QVERIFY(!DateTime::fromAccessDays(std::nan("")).has_value());
        QVERIFY(!DateTime::fromAccessDays(1e300).has_value());
    }

    void currencyTextIsExactAtTheLimits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("units");
        QTest::addColumn<QString>("printed");
        QTest::newRow("minimum") << "-922337203685477.5808" << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
        QTest::newRow("maximum") << "922337203685477.5807" << std::numeric_limits<qint64>::max() << "922337203685477.5807";
        QTest::newRow("one ten-thousandth below zero") << "-0.0001" << qint64(-1) << "-0.0001";
        QTest::newRow("whole") << "12" << qint64(120000) << "12.0000";
        QTest::newRow("fifth decimal cut") << "1.23456" << qint64(12345) << "1.2345";
    }
    void currencyTextIsExactAtTheLimits()
    {
        QFETCH(QString, text);
        QFETCH(qint64, units);
        QFETCH(QString, printed);
        const auto c = Currency::fromString(text);
        QVERIFY(c.has_value());
        QCOMPARE(c->units, units);
        QCOMPARE(c->toString(), printed);
    }

    void currencyOverflowIsReported()
    {
        const Currency max{std::numeric_limits<qint64>::max()};
        QVERIFY(!max.checkedAdd(Currency{1}).has_value());
        QVERIFY(!Currency::fromString(QStringLiteral("999999999999999999")).has_value());
        QVERIFY(!Currency::fromString(QStringLiteral("1.2.3")).has_value());
        QVERIFY(!Currency::fromString(QStringLiteral("-")).has_value());
    }

    void nullIsNotTheEmptyString()
    {
        QVERIFY(Value::null() != Value::string(QString()));
        QVERIFY(Value::string(QString()).type() == ValueType::String);
    }
};

QTEST_APPLESS_MAIN(CoreValuesTest)
#include "test_core_values.moc"
