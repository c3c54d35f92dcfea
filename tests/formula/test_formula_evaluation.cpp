#include "FakeReport.h"

#include "engine/core/Failure.h"

#include <QtTest>

using namespace velmora;

// Each row gives a formula and what it must give over FakeReport's record:
// "<type> <plain text>" for a value, "failure <number>" for a failure.
class FormulaEvaluationTest : public QObject {
    Q_OBJECT

    static void row(const char *why, const char *formula, const char *expected)
    {
        QTest::newRow(why) << QString::fromUtf8(formula) << QString::fromUtf8(expected);
    }

    static void check()
    {
        QFETCH(QString, formula);
        QFETCH(QString, expected);
        FakeReport report;
        QString actual;
        try {
            actual = describeValue(report.evaluate(formula));
        } catch (const Failure &failure) {
            actual = QStringLiteral("failure %1").arg(failure.number());
            if (!expected.startsWith(u"failure"))
                qWarning() << failure.description();
        }
        QCOMPARE(actual, expected);
    }

    static void columns()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("expected");
    }

private slots:
    void literalsAndPrecedence_data()
    {
        columns();
        row("whole number literal is Integer", "12", "Integer 12");
        row("decimal literal is Number", "3.5", "Number 3.5");
        row("exponent literal is Number", "1e3", "Number 1000");
        row("single quotes, doubled quote escapes", "'It''s'", "String It's");
        row("double quotes, doubled quote escapes", "\"say \"\"hi\"\"\"", "String say \"hi\"");
        row("date literal", "#2024-02-29#", "Date 2024-02-29");
        row("date-time literal", "#2024-02-29 13:45:00#", "DateTime 2024-02-29 13:45:00");
        row("time literal", "#07:05#", "Time 07:05:00");
        row("keywords in any case", "TRUE and not False", "Boolean True");
        row("comment runs to the end of the line", "12 // + 1\n + 1", "Integer 13");
        row("Null keyword", "Null", "Null ");
        row("product before sum", "1 + 2 * 3", "Integer 7");
        row("parentheses first", "(1 + 2) * 3", "Integer 9");
        row("power before negation: -(2^2)", "-2 ^ 2", "Number -4");
        row("power is right-associative: 2^(3^2)", "2 ^ 3 ^ 2", "Number 512");
        row("exponent may carry a sign", "2 ^ -1", "Number 0.5");
        row("\\ and * share a level, left to right", "7 \\ 2 * 2", "Integer 6");
        row("mod before +", "7 mod 4 + 1", "Integer 4");
        row("subtraction is left-associative", "10 - 4 - 3", "Integer 3");
        row("+ before &", "'a' & 1 + 2", "String a3");
        row("comparison before not before and", "1 + 1 = 2 and not 2 < 1", "Boolean True");
        row("and before or", "true or false and false", "Boolean True");
        row("xor", "true xor true", "Boolean False");
        row("not takes a whole comparison", "not true = false", "Boolean True");
    }
    void literalsAndPrecedence() { check(); }

    void numbers_data()
    {
        columns();
        row("/ of integers gives Number", "5 / 2", "Number 2.5");
        row("\\ cuts toward zero", "-7 \\ 2", "Integer -3");
        row("mod takes the dividend's sign", "-7 mod 3", "Integer -1");
        row("integer overflow becomes Number", "9223372036854775807 + 1", "Number 9.22337203685478e+18");
        row("most negative integer is reachable exactly", "-9223372036854775807 - 1", "Integer -9223372036854775808");
        row("ten tenths of Currency make exactly 1",
            "CCur(0.1)+CCur(0.1)+CCur(0.1)+CCur(0.1)+CCur(0.1)+CCur(0.1)+CCur(0.1)+CCur(0.1)+CCur(0.1)+CCur(0.1) = 1", "Boolean True");
        row("Currency plus Number stays exact Currency", "CCur(0) + 0.1 + 0.1 + 0.1", "Currency 0.3000");
        row("Currency times Integer is exact", "CCur('0.1') * 3", "Currency 0.3000");
        row("Currency / Integer rounds to 4 places", "CCur(10) / 3", "Currency 3.3333");
        row("Currency / Integer rounds half away from zero", "CCur(2) / 3", "Currency 0.6667");
        row("Currency / Currency is a ratio", "CCur(10) / CCur(4)", "Number 2.5");
        row("Currency times Currency rounds half away", "CCur(0.25) * CCur(0.0002)", "Currency 0.0001");
        row("quantity × price is Currency", "{Línies Comanda.Quantitat} * {Línies Comanda.Preu Unitari}", "Currency 59.9700");
        row("order line with a discount",
            "{Línies Comanda.Quantitat} * {Línies Comanda.Preu Unitari} * (1 - {Línies Comanda.Descompte})", "Currency 53.9730");
        row("Currency overflow fails", "922337203685477 * CCur(100)", "failure 4503");
        row("negated Currency", "-CCur(5)", "Currency -5.0000");
        row("division by zero", "1 / 0", "failure 4501");
        row("integer division by zero", "1.5 \\ 0", "failure 4501");
        row("mod by zero", "5 mod 0", "failure 4501");
        row("Currency divided by zero", "CCur(1) / 0", "failure 4501");
        row("text where a number is needed", "'a' * 2", "failure 4502");
        row("infinite power", "0 ^ -1", "failure 4504");
        row("Round half away from zero on the written digits", "Round(1.005, 2)", "Number 1.01");
        row("Round of a negative half", "Round(-2.5)", "Number -3");
        row("Round to hundreds keeps Integer", "Round(1234, -2)", "Integer 1200");
        row("Round keeps Currency exact", "Round(CCur(2.345), 2)", "Currency 2.3500");
        row("Truncate cuts toward zero", "Truncate(-2.99)", "Number -2");
        row("Abs keeps Integer", "Abs(-3)", "Integer 3");
        row("Sgn", "Sgn(-0.5)", "Integer -1");
        row("square root of a negative", "Sqr(-1)", "failure 4507");
        row("CInt rounds half away", "CInt(2.5)", "Integer 3");
        row("CInt rounds half away below zero", "CInt(-2.5)", "Integer -3");
        row("Int goes down", "Int(-2.5)", "Integer -3");
        row("Int of a positive cuts", "Int(2.7)", "Integer 2");
        row("Maximum of a list", "Maximum([3, 9, 4])", "Integer 9");
        row("Minimum of values leaves Nulls out", "Minimum(3, {Comandes.Nota}, 1)", "Integer 1");
    }
    void numbers() { check(); }

    void nullRules_data()
    {
        columns();
        row("arithmetic with Null is Null", "{Comandes.Nota} + 1", "Null ");
        row("comparison with Null is Null", "{Comandes.Nota} = 1", "Null ");
        row("& reads Null as empty text", "'a' & {Comandes.Nota} & 'b'", "String ab");
        row("Null and False is False", "{Comandes.Nota} = 1 and false", "Boolean False");
        row("Null or True is True", "{Comandes.Nota} = 1 or true", "Boolean True");
        row("Null or False is Null", "{Comandes.Nota} = 1 or false", "Null ");
        row("not Null is Null", "not ({Comandes.Nota} = 1)", "Null ");
        row("a Null condition counts as False", "if {Comandes.Nota} = 1 then 'sí' else 'no'", "String no");
        row("IsNull sees Null", "IsNull({Comandes.Nota})", "Boolean True");
        row("IsNull of a value", "IsNull({Clients.Nom})", "Boolean False");
        row("functions pass Null on", "Len({Comandes.Nota})", "Null ");
        row("ToText of Null is empty text", "ToText({Comandes.Nota})", "String ");
        row("Null in a list is Null", "{Comandes.Nota} in [1, 2]", "Null ");
        row("Null items of a list never match", "1 in [{Comandes.Nota}, 1]", "Boolean True");
        row("IIF with a Null condition takes the else", "IIF({Comandes.Nota} = 1, 1, 2)", "Integer 2");
    }
    void nullRules() { check(); }

    void conditionsAndLists_data()
    {
        columns();
        row("missing else gives empty text for text", "if 1 > 2 then 'a'", "String ");
        row("missing else gives 0 for a whole number", "if 1 > 2 then 5", "Integer 0");
        row("missing else of an unknown type gives Null", "if 1 > 2 then {Comandes.Import}", "Null ");
        row("if picks then", "if true then 1 else 2", "Integer 1");
        row("if nests in an expression", "1 + if false then 1 else 10", "Integer 11");
        row("IIF evaluates only the branch taken", "IIF(false, 1 / 0, 2)", "Integer 2");
        row("false and … stops before the error", "false and 1 / 0 = 1", "Boolean False");
        row("Choose is 1-based", "Choose(2, 'a', 'b', 'c')", "String b");
        row("Choose out of range is Null", "Choose(5, 'a')", "Null ");
        row("Switch takes the first true pair", "Switch(1 > 2, 'a', 2 > 1, 'b')", "String b");
        row("a number is no condition", "if 1 then 2 else 3", "failure 4502");
        row("in a range", "3 in 1 to 5", "Boolean True");
        row("outside a range", "6 in 1 to 5", "Boolean False");
        row("in a list of texts", "'b' in ['a', 'b']", "Boolean True");
        row("dates in a range", "{Comandes.Data} in #2024-01-01# to #2024-12-31#", "Boolean True");
        row("like ignores case, accents count", "{Clients.Nom} like 'àngel*'", "Boolean True");
        row("like ? is one character", "'abc' like 'a?c'", "Boolean True");
        row("like must match the whole text", "'abc' like 'a?'", "Boolean False");
        row("comparing text with a number fails", "'1' = 1", "failure 4502");
        row("Integer equals Currency exactly", "CCur(3) = 3", "Boolean True");
    }
    void conditionsAndLists() { check(); }

    void parameterValues_data()
    {
        columns();
        row("one-value parameter reads as its value", "{?Any} + 1", "Integer 2025");
        row("in a one-value parameter", "2024 in {?Any}", "Boolean True");
        row("in one of several values", "'Andorra' in {?Països}", "Boolean True");
        row("not in any of the values", "'França' in {?Països}", "Boolean False");
        row("texts match case and all", "'andorra' in {?Països}", "Boolean False");
        row("several values read as their list", "{?Països}", "String Espanya, Andorra");
        row("in a range, included low end", "#2024-01-01# in {?Període}", "Boolean True");
        row("excluded high end", "#2024-02-29# in {?Període}", "Boolean False");
        row("a discrete value beside the ranges", "#2023-06-01# in {?Període}", "Boolean True");
        row("open high end", "#9999-12-31# in {?Període}", "Boolean True");
        row("between the ranges", "#2024-06-01# in {?Període}", "Boolean False");
        row("excluded low end", "0 in {?Quantitat}", "Boolean False");
        row("whole number within a number range", "CCur(10) in {?Quantitat}", "Boolean True");
        row("a field in a parameter", "{Comandes.Data} in {?Període}", "Boolean False");
        row("Null subject gives Null", "{Comandes.Nota} in {?Països}", "Null ");
        row("empty parameter gives Null", "1 in {?Buit}", "Null ");
        row("empty parameter reads as Null", "IsNull({?Buit})", "Boolean True");
        row("another type fails", "1 in {?Països}", "failure 4502");
        row("ranges print in words", "{?Període}", "String 01/06/2023, de 01/01/2024 a 29/02/2024, des de 01/01/2025");
        row("Minimum of values and ranges", "Minimum({?Període})", "Date 2023-06-01");
        row("Maximum with an open end is Null", "Maximum({?Període})", "Null ");
        row("Maximum of texts", "Maximum({?Països})", "String Espanya");
        row("excluded end still bounds", "Minimum({?Quantitat})", "Integer 0");
        row("Count counts values and ranges", "Count({?Període})", "Integer 3");
        row("Count of an empty parameter", "Count({?Buit})", "Integer 0");
        row("Sum of a parameter is refused", "Sum({?Països})", "failure 4011");
        row("in needs a parameter, a list or to", "1 in {Comandes.Import}", "failure 4005");
    }
    void parameterValues() { check(); }

    void text_data()
    {
        columns();
        row("Len counts characters, emoji with skin tone is one", "Len('Català 👍🏽')", "Integer 8");
        row("a flag is one character", "Len('🇨🇦')", "Integer 1");
        row("decomposed à is one character", "Len('a\u0300b')", "Integer 2");
        row("Left", "Left('Català', 5)", "String Catal");
        row("Left beyond the end", "Left('ab', 5)", "String ab");
        row("Right keeps an emoji whole", "Right('x👍🏽ok', 3)", "String 👍🏽ok");
        row("Mid with a length", "Mid('Barcelona', 4, 3)", "String cel");
        row("Mid to the end", "Mid('Barcelona', 4)", "String celona");
        row("Mid starts at 1", "Mid('abc', 0)", "failure 4507");
        row("Left of a negative count", "Left('abc', -1)", "failure 4507");
        row("Left of a number is a type error", "Left(123, 1)", "failure 4502");
        row("InStr finds the first", "InStr('cap i cua', 'c')", "Integer 1");
        row("InStr from a start", "InStr(2, 'cap i cua', 'c')", "Integer 7");
        row("InStr counts characters, not code units", "InStr('😀a', 'a')", "Integer 2");
        row("InStr not found", "InStr('abc', 'z')", "Integer 0");
        row("InStrRev finds the last", "InStrRev('abcabc', 'bc')", "Integer 5");
        row("InStrRev match must end by start", "InStrRev('abcabc', 'bc', 5)", "Integer 2");
        row("Replace", "Replace('l''àvia', 'à', 'a')", "String l'avia");
        row("ProperCase keeps apostrophes and middle dots inside words", "ProperCase('l''ÀVIA del col·legi')", "String L'àvia Del Col·legi");
        row("UpperCase of ç", "UpperCase('força')", "String FORÇA");
        row("LCase alias", "LCase('ÀB')", "String àb");
        row("Trim", "Trim('  a b  ')", "String a b");
        row("LTrim", "LTrim('  a ') & '|'", "String a |");
        row("RTrim", "RTrim('  a ') & '|'", "String   a|");
        row("Space", "Space(3) & '|'", "String    |");
        row("ReplicateString", "ReplicateString('ab', 3)", "String ababab");
        row("Chr of ç", "Chr(231)", "String ç");
        row("ChrW beyond the BMP", "ChrW(128512)", "String 😀");
        row("Chr of a surrogate", "Chr(55296)", "failure 4507");
        row("Asc of ç", "Asc('ç')", "Integer 231");
        row("AscW of an emoji", "AscW('😀')", "Integer 128512");
        row("Asc of empty text", "Asc('')", "failure 4507");
        row("StrReverse keeps emoji whole", "StrReverse('aç👍🏽')", "String 👍🏽ça");
        row("+ joins two texts", "'a' + 'b'", "String ab");
        row("& writes numbers the Catalan way", "'Total: ' & {Comandes.Import}", "String Total: 1.234,50");
    }
    void text() { check(); }

    void dates_data()
    {
        columns();
        row("month end clamps in a leap year", "DateAdd('m', 1, #2024-01-31#)", "Date 2024-02-29");
        row("month end clamps in a common year", "DateAdd('m', 1, #2023-01-31#)", "Date 2023-02-28");
        row("a year after a leap day", "DateAdd('yyyy', 1, #2024-02-29#)", "Date 2025-02-28");
        row("across day 0 of Access", "DateAdd('d', 1, #1899-12-29#)", "Date 1899-12-30");
        row("hours before 1899 give a date-time", "DateAdd('h', 25, #1850-06-15#)", "DateTime 1850-06-16 01:00:00");
        row("a quarter back across a year", "DateAdd('q', -1, #1800-03-31#)", "Date 1799-12-31");
        row("weeks", "DateAdd('ww', 2, #2024-02-20#)", "Date 2024-03-05");
        row("interval names in any case", "DateAdd('M', 1, #2024-01-15#)", "Date 2024-02-15");
        row("past year 9999", "DateAdd('yyyy', 9000, #2024-01-01#)", "failure 4505");
        row("huge second count", "DateAdd('s', 9223372036854775807, #2024-01-01#)", "failure 4505");
        row("unknown interval", "DateAdd('x', 1, #2024-01-01#)", "failure 4507");
        row("days across a leap day", "DateDiff('d', #2024-02-28#, #2024-03-01#)", "Integer 2");
        row("years count boundaries", "DateDiff('yyyy', #2023-12-31#, #2024-01-01#)", "Integer 1");
        row("months backwards", "DateDiff('m', #2024-03-31#, #2024-01-31#)", "Integer -2");
        row("ww counts Mondays crossed", "DateDiff('ww', #2024-03-03#, #2024-03-04#)", "Integer 1");
        row("w counts whole weeks", "DateDiff('w', #2024-03-01#, #2024-03-14#)", "Integer 1");
        row("hours count boundaries", "DateDiff('h', #2024-01-01 23:59:00#, #2024-01-02 00:01:00#)", "Integer 1");
        row("a century without 1900's leap day", "DateDiff('d', #1800-01-01#, #1900-01-01#)", "Integer 36524");
        row("Date of a day that does not exist", "Date(2024, 2, 30)", "failure 4507");
        row("Date of a leap day", "Date(2024, 2, 29)", "Date 2024-02-29");
        row("Date of a date-time drops the time", "Date({Comandes.Enviada})", "Date 2024-03-01");
        row("Date of Catalan text", "Date('29/02/2024')", "Date 2024-02-29");
        row("DateSerial moves month 13 on", "DateSerial(2024, 13, 1)", "Date 2025-01-01");
        row("DateSerial day 0 is the last of the month before", "DateSerial(2024, 3, 0)", "Date 2024-02-29");
        row("DateTime from parts", "DateTime(2024, 2, 29, 13, 45, 0)", "DateTime 2024-02-29 13:45:00");
        row("DateTime of a date and a time", "DateTime(#2024-02-29#, #13:45#)", "DateTime 2024-02-29 13:45:00");
        row("Time from parts", "Time(13, 45, 0)", "Time 13:45:00");
        row("Year before 1899", "Year(#1750-07-04#)", "Integer 1750");
        row("Hour", "Hour({Comandes.Enviada})", "Integer 13");
        row("DayOfWeek counts from Monday", "DayOfWeek(#2024-02-29#)", "Integer 4");
        row("MonthName in Catalan", "MonthName(3)", "String març");
        row("MonthName abbreviated", "MonthName(#2024-02-01#, true)", "String febr.");
        row("WeekdayName", "WeekdayName(#2024-02-29#)", "String dijous");
        row("date minus date is whole days", "#2024-03-01# - #2024-02-28#", "Integer 2");
        row("date plus days", "#2024-02-28# + 1", "Date 2024-02-29");
        row("1800 has no leap day", "#1800-02-28# + 1", "Date 1800-03-01");
        row("half a day back", "{Comandes.Enviada} - 0.5", "DateTime 2024-03-01 01:45:30");
        row("CurrentDate is the print date", "CurrentDate", "Date 2024-03-15");
        row("CurrentDateTime joins print date and time", "CurrentDateTime", "DateTime 2024-03-15 10:30:00");
    }
    void dates() { check(); }

    void conversionsAndReferences_data()
    {
        columns();
        row("ToText with decimals", "ToText(1234.567, 2)", "String 1.234,57");
        row("ToText default for Number", "ToText(1234.5)", "String 1.234,5");
        row("ToText default for Currency", "ToText({Comandes.Import})", "String 1.234,50");
        row("ToText with a date format", "ToText(#2024-02-29#, 'd MMMM yyyy')", "String 29 febrer 2024");
        row("ToText of a boolean", "ToText(true)", "String Cert");
        row("CStr of an Integer has no grouping", "CStr(10248)", "String 10248");
        row("ToNumber reads Catalan text", "ToNumber('1.234,5')", "Number 1234.5");
        row("ToNumber reads a decimal point", "ToNumber('3.5')", "Number 3.5");
        row("ToNumber of words", "ToNumber('abc')", "failure 4508");
        row("CCur of text is exact", "CCur('0.1') * 10", "Currency 1.0000");
        row("IsNumeric of Catalan text", "IsNumeric('12,5')", "Boolean True");
        row("IsNumeric of words", "IsNumeric('dotze')", "Boolean False");
        row("parameter", "{?Any} - 1", "Integer 2023");
        row("running total plus field", "{#Acumulat} + {Comandes.Import}", "Currency 6234.5000");
        row("another formula", "{@Total Línia}", "Number 53.973");
        row("summary of the report", "Sum({Comandes.Import})", "Currency 90000.0000");
        row("summary per group", "Sum({Comandes.Import}, {Clients.Nom})", "Currency 4000.0000");
        row("count per group", "Count({Comandes.Import}, {Clients.Nom})", "Integer 4");
        row("Maximum of a field is a summary", "Maximum({Comandes.Data})", "Date 2024-12-31");
        row("PageNofM", "PageNofM", "String Pàgina 3 de 10");
        row("page numbers by hand", "'Pàgina ' & PageNumber & ' de ' & TotalPageCount", "String Pàgina 3 de 10");
        row("record and group numbers", "RecordNumber + GroupNumber", "Integer 9");
        row("print date", "PrintDate", "Date 2024-03-15");
    }
    void conversionsAndReferences() { check(); }

    void runawayWorkFailsCleanly_data()
    {
        columns();
        row("text over 16 Mi characters", "ReplicateString('ab', 10000000)", "failure 4506");
        row("Space beyond the limit", "Space(99999999999)", "failure 4506");
        row("doubling a long text", "Len(ReplicateString(ReplicateString('x', 9000000) & 'y', 2))", "failure 4506");
        row("Replace growing past the limit", "Replace(Space(1000000), ' ', ReplicateString('x', 20))", "failure 4506");
        row("negative count", "ReplicateString('a', -1)", "failure 4507");
    }
    void runawayWorkFailsCleanly() { check(); }
};

QTEST_APPLESS_MAIN(FormulaEvaluationTest)
#include "test_formula_evaluation.moc"
