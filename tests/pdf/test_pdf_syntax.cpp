// The small pieces of PDF syntax every object is made of: numbers exact to
// the hundredth, and text strings nothing in a report can break out of.

#include "engine/pdf/PdfSyntax.h"

#include <QTest>

using namespace velmora::pdf;

class PdfSyntaxTest : public QObject {
    Q_OBJECT

private slots:
    void hundredthsAreWrittenShortAndExact_data()
    {
        QTest::addColumn<qint64>("hundredths");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("zero") << qint64(0) << QByteArray("0");
        QTest::newRow("a twip is 0.05 points") << qint64(5) << QByteArray("0.05");
        QTest::newRow("trailing zero dropped") << qint64(50) << QByteArray("0.5");
        QTest::newRow("whole points have no fraction") << qint64(84190) << QByteArray("841.9");
        QTest::newRow("a zero tenth is kept") << qint64(105) << QByteArray("1.05");
        QTest::newRow("negative below one keeps its sign") << qint64(-5) << QByteArray("-0.05");
        QTest::newRow("negative whole") << qint64(-1200) << QByteArray("-12");
    }

    void hundredthsAreWrittenShortAndExact()
    {
        QFETCH(qint64, hundredths);
        QFETCH(QByteArray, written);
        QByteArray out;
        appendHundredths(out, hundredths);
        QCOMPARE(out, written);
    }

    void numbersRoundToHundredths_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("rounded half away from zero") << 0.125 << QByteArray("0.13");
        QTest::newRow("colour component") << 128 / 255.0 << QByteArray("0.5");
        QTest::newRow("not a number is written as 0") << std::nan("") << QByteArray("0");
    }

    void numbersRoundToHundredths()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, written);
        QByteArray out;
        appendNumber(out, value);
        QCOMPARE(out, written);
    }

    void textStringsCannotBreakOut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("plain ASCII is a literal") << QStringLiteral("Barcelona") << QByteArray("(Barcelona)");
        QTest::newRow("parentheses and backslash escaped")
            << QStringLiteral(") /Title (x\\") << QByteArray("(\\) /Title \\(x\\\\)");
        QTest::newRow("accents go to UTF-16 in hex") << QStringLiteral("Tàrrega") << QByteArray("<FEFF005400E000720072006500670061>");
        QTest::newRow("a line break is not a literal") << QStringLiteral("a\nb") << QByteArray("<FEFF0061000A0062>");
        QTest::newRow("an emoji keeps its surrogate pair")
            << QString::fromUtf8("\xF0\x9F\x98\x80") << QByteArray("<FEFFD83DDE00>");
    }

    void textStringsCannotBreakOut()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QCOMPARE(textString(text), written);
    }

    void fontNamesKeepOnlyNameCharacters()
    {
        QCOMPARE(fontName(QStringLiteral("LiberationSans-Bold")), QByteArray("/LiberationSans-Bold"));
        QCOMPARE(fontName(QStringLiteral("Evil Name/(x)#")), QByteArray("/EvilNamex"));
        QCOMPARE(fontName(QString()), QByteArray("/Font"));
    }
};

QTEST_GUILESS_MAIN(PdfSyntaxTest)
#include "test_pdf_syntax.moc"
