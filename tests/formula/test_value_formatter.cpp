#include "engine/formula/ValueFormatter.h"

#include <QtTest>

using namespace velmora;

namespace {

Value currency(const char *text) { return Value::currency(*Currency::fromString(QString::fromLatin1(text))); }
Value date(int y, int m, int d) { return Value::date(DateTime::fromDate(QDate(y, m, d))); }
Value dateTime(int y, int m, int d, int h, int mi, int s)
{
    return Value::dateTime(DateTime::fromDateAndTime(QDate(y, m, d), QTime(h, mi, s)));
}

} // namespace

class ValueFormatterTest : public QObject {
    Q_OBJECT
private slots:
    void formatsTheCatalanWay_data()
    {
        QTest::addColumn<Value>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *why, const Value &value, const char *format, const char *expected) {
            QTest::newRow(why) << value << QString::fromUtf8(format) << QString::fromUtf8(expected);
        };
        row("Null prints nothing", Value::null(), "#,##0.00", "");
        row("Integer default has no grouping, for codes", Value::integer(10248), "", "10248");
        row("Number default groups and keeps up to two decimals", Value::number(1234.5), "", "1.234,5");
        row("Number default drops a zero fraction", Value::number(3.0), "", "3");
        row("Currency default shows two decimals", currency("1234.5"), "", "1.234,50");
        row("Currency rounds half away from zero", currency("0.005"), "", "0,01");
        row("Number rounds on its written digits", Value::number(1.005), "0.00", "1,01");
        row("grouping of millions", Value::integer(1234567), "#,##0", "1.234.567");
        row("negative with grouping", Value::number(-1234.5), "#,##0.00", "-1.234,50");
        row("negative that rounds to zero loses its sign", Value::number(-0.001), "0.00", "0,00");
        row("percent multiplies by 100", Value::number(0.256), "0.0%", "25,6%");
        row("euro suffix", currency("1234.5"), "#,##0.00 €", "1.234,50 €");
        row("negative section in parentheses", Value::number(-5), "#,##0.00;(#,##0.00)", "(5,00)");
        row("zero section", Value::integer(0), "0;-0;\"cap\"", "cap");
        row("zeros pad the integer part", Value::integer(7), "000", "007");
        row("# hides a zero integer part", Value::number(0.5), "#.##", ",5");
        row("quoted literal", Value::integer(3), "0\" u.\"", "3 u.");
        row("largest Currency is exact", Value::currency(Currency{std::numeric_limits<qint64>::max()}), "#,##0.0000",
            "922.337.203.685.477,5807");
        row("huge Number prints all its digits", Value::number(1e20), "#,##0", "100.000.000.000.000.000.000");
        row("Date default", date(2024, 2, 29), "", "29/02/2024");
        row("date before 1899", date(1750, 7, 4), "", "04/07/1750");
        row("DateTime default", dateTime(2024, 2, 29, 13, 45, 5), "", "29/02/2024 13:45:05");
        row("Time default", Value::time(DateTime::fromTime(QTime(7, 5, 0))), "", "07:05:00");
        row("Catalan month name", date(2024, 3, 1), "d MMMM yyyy", "1 març 2024");
        row("quoted text in a date format", date(2024, 2, 29), "d 'de' MMMM 'de' yyyy", "29 de febrer de 2024");
        row("weekday name and abbreviated month", date(2024, 2, 29), "dddd, d MMM", "dijous, 29 febr.");
        row("two-digit year", date(2007, 1, 9), "d/M/yy", "9/1/07");
        row("hours and minutes", dateTime(2024, 2, 29, 9, 5, 0), "HH:mm", "09:05");
        row("12-hour clock", dateTime(2024, 2, 29, 0, 30, 0), "h:mm", "12:30");
        row("Boolean default", Value::boolean(true), "", "Cert");
        row("Boolean false", Value::boolean(false), "", "Fals");
        row("Boolean with its own words", Value::boolean(false), "Sí;No", "No");
        row("text prints as it is", Value::string(QStringLiteral("0,5")), "#,##0.00", "0,5");
    }
    void formatsTheCatalanWay()
    {
        QFETCH(Value, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(formatValue(value, format), expected);
    }

    void spreadsheetCodesMatchTheFormats_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *why, ValueType type, const char *format, const char *expected) {
            QTest::newRow(why) << int(type) << QString::fromUtf8(format) << QString::fromUtf8(expected);
        };
        row("Currency default", ValueType::Currency, "", "#,##0.00");
        row("Integer default", ValueType::Integer, "", "0");
        row("Number default leaves the spreadsheet to choose", ValueType::Number, "", "General");
        row("Date default uses m for months", ValueType::Date, "", "dd/mm/yyyy");
        row("DateTime default", ValueType::DateTime, "", "dd/mm/yyyy hh:mm:ss");
        row("text cells", ValueType::String, "", "@");
        row("euro is quoted, the space is not", ValueType::Currency, "#,##0.00 €", "#,##0.00 \"€\"");
        row("percent", ValueType::Number, "0.0%", "0.0%");
        row("sections", ValueType::Number, "#,##0.00;(#,##0.00)", "#,##0.00;(#,##0.00)");
        row("month names tell the language", ValueType::Date, "d MMMM yyyy", "[$-403]d mmmm yyyy");
        row("literal words are quoted", ValueType::Date, "d 'de' MMMM", "[$-403]d \"de\" mmmm");
        row("hours and minutes", ValueType::Time, "HH:mm", "hh:mm");
    }
    void spreadsheetCodesMatchTheFormats()
    {
        QFETCH(int, type);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(spreadsheetFormat(ValueType(type), format), expected);
    }
};

QTEST_APPLESS_MAIN(ValueFormatterTest)
#include "test_value_formatter.moc"
