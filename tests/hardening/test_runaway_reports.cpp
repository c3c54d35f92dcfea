// Reports whose layout or formulas would never end, or would end only after
// exhausting memory or the stack: each is bounded and ends in its failure.

#include "ReportText.h"
#include "SeamRun.h"
#include "../support/TestData.h"

#include "engine/report/CreateReportEngine.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

ReportShape showingFormula(const QString &formulas, const QString &shown)
{
    ReportShape shape;
    shape.formulas = formulas;
    shape.source = QStringLiteral("{@%1}").arg(shown);
    return shape;
}

/// F0 reads a field; every later Fn adds one to F(n-1).
ReportShape formulaChain(int length)
{
    QString formulas = formulaElement(QStringLiteral("F0"), QStringLiteral("{Clients.LimitCredit}"));
    for (int n = 1; n < length; ++n)
        formulas += formulaElement(QStringLiteral("F%1").arg(n), QStringLiteral("{@F%1} + 1").arg(n - 1));
    return showingFormula(formulas, QStringLiteral("F%1").arg(length - 1));
}

} // namespace

Q_DECLARE_METATYPE(velmora::testing::ReportShape)

class RunawayReports : public QObject {
    Q_OBJECT

private slots:
    void endInTheirFailure_data();
    void endInTheirFailure();
};

void RunawayReports::endInTheirFailure_data()
{
    QTest::addColumn<ReportShape>("shape");
    QTest::addColumn<qint32>("number");

    ReportShape tooTall;
    tooTall.detailsHeight = QStringLiteral("20000"); // an A4 page is 16,838 twips tall
    tooTall.keepTogether = true;
    QTest::newRow("a kept-together section taller than any page would paginate forever")
        << tooTall << 5001;

    QTest::newRow("a formula that reads itself")
        << showingFormula(formulaElement(QStringLiteral("A"), QStringLiteral("{@A} + 1")), QStringLiteral("A"))
        << 5002;
    QTest::newRow("three formulas reading each other in a ring")
        << showingFormula(formulaElement(QStringLiteral("A"), QStringLiteral("{@B} + 1"))
                              + formulaElement(QStringLiteral("B"), QStringLiteral("{@C} * 2"))
                              + formulaElement(QStringLiteral("C"), QStringLiteral("{@A} - 3")),
                          QStringLiteral("B"))
        << 5002;
    QTest::newRow("a text repeated past the 16 Mi limit")
        << showingFormula(formulaElement(QStringLiteral("Llarg"), QStringLiteral("ReplicateString(\"abc\", 100000000)")),
                          QStringLiteral("Llarg"))
        << 4506;
    QTest::newRow("repetitions of repetitions past the limit")
        << showingFormula(formulaElement(QStringLiteral("Llarg"),
                                         QStringLiteral("ReplicateString(ReplicateString({Clients.Nom}, 5000), 5000)")),
                          QStringLiteral("Llarg"))
        << 4506;
    QTest::newRow("spaces past the limit") << showingFormula(
        formulaElement(QStringLiteral("Buit"), QStringLiteral("Space(2147483647)")), QStringLiteral("Buit"))
                                           << 4506;
    QTest::newRow("a chain of 5,000 formulas would recurse until the stack runs out")
        << formulaChain(5000) << 4509;
    QTest::newRow("a chain of 500 formulas is deep but within bounds, and is exported")
        << formulaChain(500) << 0;
}

void RunawayReports::endInTheirFailure()
{
    QFETCH(ReportShape, shape);
    QFETCH(qint32, number);
    QTemporaryDir scratch;
    const QString reportPath = scratch.filePath(QStringLiteral("informe.rpt"));
    QFile file(reportPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reportText(shape).toUtf8());
    file.close();

    const auto engine = createReportEngine();
    // Exported, not only laid out: a field's value is made when its page is.
    const SeamJob job{reportPath, testDataPath(QStringLiteral("empresa.mdb")), std::nullopt,
                      scratch.filePath(QStringLiteral("sortida.txt")), ExportFormat::Text};
    const std::optional<Failure> failure = runThroughSeam(*engine, job);
    if (number == 0) {
        QVERIFY2(!failure, failure ? qPrintable(failure->description()) : "");
        return;
    }
    QVERIFY2(failure, "the report was laid out");
    QVERIFY2(failure->number() == number, qPrintable(QString::number(failure->number()) + u' ' + failure->description()));
}

QTEST_MAIN(RunawayReports)
#include "test_runaway_reports.moc"
