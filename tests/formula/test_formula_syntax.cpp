#include "FakeReport.h"

#include "engine/core/Failure.h"
#include "engine/formula/Formula.h"

#include <QtTest>

using namespace velmora;

namespace {

// The failure a call raises, or number 0 when it raises none.
template<typename Call>
Failure failureOf(Call call)
{
    try {
        call();
    } catch (const Failure &failure) {
        return failure;
    }
    return Failure(0, QString());
}

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

} // namespace

class FormulaSyntaxTest : public QObject {
    Q_OBJECT
private slots:
    void syntaxErrorsNameTheirPlaceInTheFile_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("startLine");
        QTest::addColumn<int>("startColumn");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("place");
        const auto row = [](const char *why, const char *formula, int line, int column, int number, const char *place) {
            QTest::newRow(why) << text(formula) << line << column << number << text(place);
        };
        row("unclosed parenthesis is found at the end", "(1 + 2", 1, 1, 4005, "línia 1, columna 7");
        row("columns after the first line count from 1", "1 +\n  2 *\n  )", 10, 5, 4005, "línia 12, columna 3");
        row("the first line starts at the given column", "1 + + * 2", 10, 5, 4005, "línia 10, columna 11");
        row("a CR LF pair is one line break", "1 +\r\n)", 1, 1, 4005, "línia 2, columna 1");
        row("an emoji is one column", "'😀' + )", 1, 1, 4005, "línia 1, columna 7");
        row("comments are skipped but counted", "// total\n1 + ]", 4, 9, 4005, "línia 5, columna 5");
        row("unknown function", "1 +\n Foo(1)", 10, 5, 4006, "línia 11, columna 2");
        row("unknown name without parentheses", "Preu * 2", 1, 1, 4006, "línia 1, columna 1");
        row("unterminated string names its start", "Left('abc, 1)", 2, 3, 4002, "línia 2, columna 8");
        row("a day that does not exist", "#2024-02-30#", 1, 1, 4003, "línia 1, columna 1");
        row("unterminated date", "#2024-02-01 + 1", 1, 1, 4003, "línia 1, columna 1");
        row("field reference without a table", "{Comandes}", 1, 1, 4004, "línia 1, columna 1");
        row("reference not closed on its line", "{Comandes.Data\n}", 1, 1, 4004, "línia 1, columna 1");
        row("empty formula reference", "1 + {@ }", 1, 1, 4004, "línia 1, columna 5");
        row("stray character", "1 $ 2", 1, 1, 4001, "línia 1, columna 3");
        row("too few arguments", "Left('a')", 1, 1, 4007, "línia 1, columna 1");
        row("too many arguments", "Len('a', 'b')", 1, 1, 4007, "línia 1, columna 1");
        row("Date takes one or three arguments", "Date(2024, 2)", 1, 1, 4007, "línia 1, columna 1");
        row("Switch needs pairs", "Switch(true, 1, false)", 1, 1, 4007, "línia 1, columna 1");
        row("summary of a constant", "Sum(1)", 1, 1, 4011, "línia 1, columna 1");
        row("summary grouped by a constant", "Sum({T.F}, 2)", 1, 1, 4011, "línia 1, columna 1");
        row("percentile without its P", "Percentile({T.F}, {T.G})", 1, 1, 4011, "línia 1, columna 1");
        row("percentile above 100", "Percentile(120, {T.F})", 1, 1, 4011, "línia 1, columna 1");
        row("N-th largest with a fractional N", "NthLargest(2.5, {T.F})", 1, 1, 4011, "línia 1, columna 1");
        row("N computed rather than written", "NthSmallest(1 + 1, {T.F})", 1, 1, 4011, "línia 1, columna 1");
        row("weighted average without its weight", "WeightedAverage({T.F})", 1, 1, 4011, "línia 1, columna 1");
        row("a share without the group it is of", "PercentOfSum({T.F})", 1, 1, 4011, "línia 1, columna 1");
        row("a share with too many groups", "PercentOfSum({T.F}, {T.G}, {T.H}, {T.I})", 1, 1, 4011, "línia 1, columna 1");
        row("nothing but a comment", "  // res", 1, 1, 4009, "línia 1, columna 9");
        row("if without then", "if true 1 else 2", 1, 1, 4005, "línia 1, columna 9");
        row("in without a list or range", "1 in 2", 1, 1, 4005, "línia 1, columna 7");
        row("two values in a row", "1 2", 1, 1, 4005, "línia 1, columna 3");
    }
    void syntaxErrorsNameTheirPlaceInTheFile()
    {
        QFETCH(QString, formula);
        QFETCH(int, startLine);
        QFETCH(int, startColumn);
        QFETCH(int, number);
        QFETCH(QString, place);
        const Failure failure = failureOf([&] { Formula::parse(formula, QStringLiteral("Total"), startLine, startColumn); });
        QCOMPARE(failure.number(), number);
        QVERIFY2(failure.description().contains(place), qPrintable(failure.description()));
        QVERIFY2(failure.description().contains(QStringLiteral("«Total»")), qPrintable(failure.description()));
    }

    void syntaxErrorSaysWhatWasExpected()
    {
        const Failure failure = failureOf([] { Formula::parse(QStringLiteral("(1 + 2")); });
        QVERIFY2(failure.description().contains(QStringLiteral("s'esperava «)»")), qPrintable(failure.description()));
    }

    void bindingErrorsNameTheReferenceAndItsPlace_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("unknown field") << text("1 +\n {Comandes.Preu}") << 4020 << text("{Comandes.Preu}");
        QTest::newRow("unknown formula") << text("{@Marge} * 2") << 4020 << text("{@Marge}");
        QTest::newRow("unknown parameter") << text("{?Mes}") << 4020 << text("{?Mes}");
        QTest::newRow("summary over a group that does not exist") << text("Sum({Comandes.Import}, {Comandes.Data})") << 4021
                                                                 << text("{Comandes.Data}");
        QTest::newRow("summary the report does not keep") << text("Average({Comandes.Import})") << 4021 << text("{Comandes.Import}");
    }
    void bindingErrorsNameTheReferenceAndItsPlace()
    {
        QFETCH(QString, formula);
        QFETCH(int, number);
        QFETCH(QString, mentions);
        FakeReport report;
        Formula parsed = Formula::parse(formula, QStringLiteral("Import"), 5, 10);
        const Failure failure = failureOf([&] { parsed.bind(report); });
        QCOMPARE(failure.number(), number);
        QVERIFY2(failure.description().contains(mentions), qPrintable(failure.description()));
        QVERIFY2(failure.description().contains(QStringLiteral("«Import»")), qPrintable(failure.description()));
    }

    void bindingErrorPointsAtTheReference()
    {
        FakeReport report;
        Formula parsed = Formula::parse(QStringLiteral("1 +\n {Comandes.Preu}"), QString(), 5, 10);
        const Failure failure = failureOf([&] { parsed.bind(report); });
        QVERIFY2(failure.description().contains(QStringLiteral("línia 6, columna 2")), qPrintable(failure.description()));
    }

    void evaluationErrorPointsAtTheOperator()
    {
        FakeReport report;
        const Formula parsed = Formula::parse(QStringLiteral("1 +\n 1 / (2 - 2)"), QStringLiteral("Mitjana"), 3, 1);
        const Failure failure = failureOf([&] { parsed.evaluate(report); });
        QCOMPARE(failure.number(), 4501);
        QVERIFY2(failure.description().contains(QStringLiteral("«Mitjana», línia 4, columna 4")), qPrintable(failure.description()));
        QVERIFY2(failure.description().contains(QStringLiteral("divisió per zero")), qPrintable(failure.description()));
    }

    void evaluatingUnboundReferencesFails()
    {
        FakeReport report;
        Formula bound = Formula::parse(QStringLiteral("{Comandes.Import} * 2"));
        const Formula unbound = bound;
        bound.bind(report);
        QCOMPARE(describeValue(bound.evaluate(report)), QStringLiteral("Currency 2469.0000"));
        QCOMPARE(failureOf([&] { unbound.evaluate(report); }).number(), 4022);
    }

    void referencesAreListedInOrderWithSummaryOperands()
    {
        const Formula parsed = Formula::parse(text("{Línies Comanda.Preu Unitari} * {?Any} + Sum({Comandes.Import}, {@Grup Client}) - {#Acumulat}"));
        const std::vector<FormulaReference> expected = {
            {FormulaReference::Kind::Field, text("Línies Comanda"), text("Preu Unitari")},
            {FormulaReference::Kind::Parameter, QString(), text("Any")},
            {FormulaReference::Kind::Field, text("Comandes"), text("Import")},
            {FormulaReference::Kind::Formula, QString(), text("Grup Client")},
            {FormulaReference::Kind::RunningTotal, QString(), text("Acumulat")},
        };
        QVERIFY(parsed.references() == expected);
    }

    void specialValuesAndConstancy_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("needsPageCount");
        QTest::addColumn<bool>("constant");
        QTest::newRow("arithmetic on literals is constant") << text("1 + 2 * Len('abc')") << false << true;
        QTest::newRow("a field varies by record") << text("{T.F} + 1") << false << false;
        QTest::newRow("PageNofM alone does not count as TotalPageCount") << text("PageNofM") << false << false;
        QTest::newRow("TotalPageCount needs the page count") << text("'de ' & TotalPageCount") << true << false;
        QTest::newRow("a summary varies by group") << text("Sum({T.F}, {T.G})") << false << false;
        QTest::newRow("the current date is the print date") << text("CurrentDate") << false << false;
    }
    void specialValuesAndConstancy()
    {
        QFETCH(QString, formula);
        QFETCH(bool, needsPageCount);
        QFETCH(bool, constant);
        const Formula parsed = Formula::parse(formula);
        QCOMPARE(parsed.usesSpecialValue(SpecialValue::TotalPageCount), needsPageCount);
        QCOMPARE(parsed.isConstant(), constant);
    }

    void runawayFormulasFailWithoutCrashing_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("number");
        QTest::newRow("100 000 nested parentheses") << QString(100000, u'(') + u'1' + QString(100000, u')') << 4008;
        QTest::newRow("a chain of 5 000 additions") << QStringLiteral("1") + QStringLiteral("+1").repeated(5000) << 4008;
        QTest::newRow("10 000 nots") << QStringLiteral("not ").repeated(10000) + QStringLiteral("true") << 4008;
        QTest::newRow("10 000 minus signs") << QString(10000, u'-') + u'1' << 4008;
        QTest::newRow("a text of two million characters") << u'\'' + QString(2000000, u'x') + u'\'' << 4010;
    }
    void runawayFormulasFailWithoutCrashing()
    {
        QFETCH(QString, formula);
        QFETCH(int, number);
        QCOMPARE(failureOf([&] { Formula::parse(formula); }).number(), number);
    }

    void reasonableNestingIsAccepted()
    {
        FakeReport report;
        const QString nested = QString(150, u'(') + u'1' + QString(150, u')');
        QCOMPARE(describeValue(report.evaluate(nested)), QStringLiteral("Integer 1"));
        const QString chain = QStringLiteral("0") + QStringLiteral("+1").repeated(500);
        QCOMPARE(describeValue(report.evaluate(chain)), QStringLiteral("Integer 500"));
    }

    void onlyTrueIsTrue_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("truth");
        QTest::newRow("True") << 0 << true;
        QTest::newRow("False") << 1 << false;
        QTest::newRow("Null counts as False") << 2 << false;
        QTest::newRow("a number is no condition") << 3 << false;
        QTest::newRow("the text True is no condition") << 4 << false;
    }
    void onlyTrueIsTrue()
    {
        QFETCH(int, which);
        QFETCH(bool, truth);
        const Value values[] = {Value::boolean(true), Value::boolean(false), Value::null(), Value::integer(1),
                                Value::string(QStringLiteral("True"))};
        QCOMPARE(isTrue(values[which]), truth);
    }
};

QTEST_APPLESS_MAIN(FormulaSyntaxTest)
#include "test_formula_syntax.moc"
