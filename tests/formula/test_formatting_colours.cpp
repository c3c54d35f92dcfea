#include "FakeReport.h"

#include "engine/core/Failure.h"
#include "engine/formula/ColourText.h"
#include "engine/formula/FormulaErrors.h"

#include <QtTest>

using namespace velmora;

class FormattingColoursTest : public QObject {
    Q_OBJECT
private slots:
    void colourTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("rgb"); // -1: not a colour
        QTest::newRow("hex, upper case") << "#1F4E79" << qint64(0x1F4E79);
        QTest::newRow("hex, lower case, blanks around") << "  #ff8000 " << qint64(0xFF8000);
        QTest::newRow("Catalan name, any case") << "Vermell" << qint64(0xFF0000);
        QTest::newRow("English name") << "navy" << qint64(0x000080);
        QTest::newRow("gray spelt the American way") << "GRAY" << qint64(0x808080);
        QTest::newRow("a seventh digit") << "#1234567" << qint64(-1);
        QTest::newRow("a digit that is not hex") << "#12345G" << qint64(-1);
        QTest::newRow("a sign toUInt would take") << "#+12345" << qint64(-1);
        QTest::newRow("no hash") << "123456" << qint64(-1);
        QTest::newRow("an unknown name") << "vermellós" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
    }
    void colourTexts()
    {
        QFETCH(QString, text);
        QFETCH(qint64, rgb);
        const auto colour = colourFromText(text);
        QCOMPARE(colour.has_value(), rgb >= 0);
        if (colour) {
            QCOMPARE(qint64(*colour & 0xFFFFFF), rgb);
            QCOMPARE(*colour >> 24, 0xFFu); // opaque
            QCOMPARE(colourFromText(colourToText(*colour)), colour);
        }
    }

    void everyNameReadsBack()
    {
        for (const NamedColour &named : namedColours()) {
            QCOMPARE(colourFromText(named.catalan).value_or(0) & 0xFFFFFF, named.rgb);
            QCOMPARE(colourFromText(named.english).value_or(0) & 0xFFFFFF, named.rgb);
        }
    }

    void colourFunction_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result"); // empty: fails with 4507
        QTest::newRow("three parts") << "Color (255, 128, 0)" << "#FF8000";
        QTest::newRow("parts from numbers cut to whole") << "Color (15.9, 0, 1)" << "#0F0001";
        QTest::newRow("a name") << "Color (\"blau\")" << "#0000FF";
        QTest::newRow("a hex text is checked and kept") << "Color (\"#a0b0c0\")" << "#A0B0C0";
        QTest::newRow("a part above 255") << "Color (256, 0, 0)" << "";
        QTest::newRow("a negative part") << "Color (0, -1, 0)" << "";
        QTest::newRow("an unknown name") << "Color (\"rosa palo\")" << "";
    }
    void colourFunction()
    {
        QFETCH(QString, formula);
        QFETCH(QString, result);
        FakeReport report;
        try {
            const Value v = report.evaluate(formula);
            QVERIFY2(!result.isEmpty(), "no failure");
            QCOMPARE(v.asString(), result);
        } catch (const Failure &f) {
            QVERIFY2(result.isEmpty(), qPrintable(f.description()));
            QCOMPARE(f.number(), FormulaErrors::InvalidArgument);
        }
    }

    void colourTakesOneOrThreeParts()
    {
        FakeReport report;
        try {
            report.evaluate(QStringLiteral("Color (1, 2)"));
            QFAIL("two parts were taken");
        } catch (const Failure &f) {
            QCOMPARE(f.number(), FormulaErrors::WrongArgumentCount);
        }
    }
};

QTEST_GUILESS_MAIN(FormattingColoursTest)
#include "test_formatting_colours.moc"
