// The sales report restricted by its parameters, through the real engine
// over empresa.mdb: what it keeps is checked against the same selection
// worked out here over mdb-export's CSV; values the report cannot take are
// refused before anything is read, naming the parameter.

#include "ExpectedSales.h"
#include "ReportRun.h"
#include "SalesPages.h"
#include "TestData.h"

#include "engine/core/Failure.h"
#include "engine/seam/ParameterErrors.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

using Keeps = std::function<bool(const ClientSales &, const SaleLine &)>;

/// The yearly report asking for a date range instead of a year, written beside the test.
QString periodReport(const QTemporaryDir &folder)
{
    QFile example(exampleReport(u"vendes-per-any.rpt"_s));
    if (!example.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(example.readAll());
    text.replace(u"<parameter name=\"Any\" type=\"Integer\" prompt=\"Any de les comandes\" default=\"2024\"/>"_s,
                 u"<parameter name=\"Període\" type=\"Date\" range=\"true\"/>"_s);
    text.replace(u"Year({Comandes.DataComanda}) = {?Any}"_s, u"{Comandes.DataComanda} in {?Període}"_s);
    text.replace(u"source=\"{?Any}\" size=\"9\" format=\"0\""_s, u"source=\"{?Període}\" size=\"9\""_s);
    const QString path = folder.filePath(u"vendes-per-periode.rpt"_s);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return QString();
    out.write(text.toUtf8());
    return path;
}

const TextRow *grandTotalRow(const std::vector<TextRow> &rows)
{
    for (const TextRow &row : rows)
        if (salesRowKind(row) == SalesRowKind::GrandTotal)
            return &row;
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(Keeps)

class ReportParametersTest : public QObject {
    Q_OBJECT

    std::optional<ExpectedSales> m_all;
    QTemporaryDir m_folder;

private slots:
    void initTestCase()
    {
        m_all = ExpectedSales::compute(testDataPath(u"empresa.mdb"_s));
        if (!m_all)
            QSKIP("mdb-export cannot read the fixture");
    }

    void selectionKeepsWhatTheParametersSay_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<Keeps>("keeps");
        const auto inCountries = [](QStringList countries) {
            return [countries](const ClientSales &client, const SaleLine &) { return countries.contains(client.country); };
        };
        const Keeps defaults = [inCountries](const ClientSales &c, const SaleLine &l) {
            return l.orderDate.startsWith(u"2024") && inCountries({u"Andorra"_s, u"Espanya"_s, u"França"_s})(c, l);
        };
        QTest::newRow("the defaults: 2024 in three countries") << u"any"_s << QStringList() << defaults;
        QTest::newRow("one year, every country")
            << u"any"_s << QStringList{u"Any=2021"_s, u"Països=Alemanya,Andorra,Espanya,França,Itàlia,Portugal,Suïssa"_s}
            << Keeps([](const ClientSales &, const SaleLine &l) { return l.orderDate.startsWith(u"2021"); });
        QTest::newRow("two countries, spaces after the comma")
            << u"any"_s << QStringList{u"Any=2023"_s, u"Països=Itàlia, Suïssa"_s}
            << Keeps([inCountries](const ClientSales &c, const SaleLine &l) {
                   return l.orderDate.startsWith(u"2023") && inCountries({u"Itàlia"_s, u"Suïssa"_s})(c, l);
               });
        QTest::newRow("a year with no sales keeps nothing")
            << u"any"_s << QStringList{u"Any=2030"_s} << Keeps([](const ClientSales &, const SaleLine &) { return false; });
        QTest::newRow("a closed date range")
            << u"periode"_s << QStringList{u"Període=2022-03-01..2022-06-30"_s, u"Països=Portugal"_s}
            << Keeps([](const ClientSales &c, const SaleLine &l) {
                   return c.country == u"Portugal" && l.orderDate >= u"2022-03-01" && l.orderDate <= u"2022-06-30";
               });
        QTest::newRow("a range open below, its end left out")
            << u"periode"_s << QStringList{u"Període=..<2019-02-01"_s, u"Països=Espanya"_s}
            << Keeps([](const ClientSales &c, const SaleLine &l) { return c.country == u"Espanya" && l.orderDate < u"2019-02-01"; });
    }
    void selectionKeepsWhatTheParametersSay()
    {
        QFETCH(QString, report);
        QFETCH(QStringList, assignments);
        QFETCH(Keeps, keeps);
        const QString path = report == u"any" ? exampleReport(u"vendes-per-any.rpt"_s) : periodReport(m_folder);
        ReportRun run(path, testDataPath(u"empresa.mdb"_s));
        for (const QString &assignment : assignments)
            run.report().setParameterValue(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
        const ExpectedSales expected = m_all->where(keeps);
        const auto source = run.layOutAll();
        QCOMPARE(source->recordCount(), expected.recordCount);
        if (expected.recordCount == 0)
            return; // a sum over no records prints nothing to compare
        const auto rows = allTextRows(*source);
        const TextRow *grand = grandTotalRow(rows);
        QVERIFY2(grand, "a \"Total general\" row");
        const PrintedTotals printed = printedTotals(*grand);
        QVERIFY(printed.quantity && printed.cents);
        QCOMPARE(*printed.quantity, expected.grand.quantity);
        QVERIFY2(centsMatch(*printed.cents, expected.grand.amountMillionths),
                 qPrintable(u"printed %1, exact %2 millionths"_s.arg(*printed.cents).arg(expected.grand.amountMillionths)));
    }

    void badValuesAreRefusedNamingTheParameter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("named");
        QTest::newRow("a parameter the report does not declare") << u"Mes"_s << u"3"_s << int(ParameterErrors::UnknownParameter) << u"«Mes»"_s;
        QTest::newRow("a year that is not a whole number") << u"Any"_s << u"2024.5"_s << int(ParameterErrors::BadValue) << u"un nombre enter"_s;
        QTest::newRow("an empty year") << u"Any"_s << QString() << int(ParameterErrors::BadValue) << u"«Any»"_s;
        QTest::newRow("a country not in the database")
            << u"Països"_s << u"Espanya,Xina"_s << int(ParameterErrors::NotInList) << u"«Xina»"_s;
        QTest::newRow("a country written in small letters")
            << u"Països"_s << u"espanya"_s << int(ParameterErrors::NotInList) << u"«Països»"_s;
    }
    void badValuesAreRefusedNamingTheParameter()
    {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(int, number);
        QFETCH(QString, named);
        ReportRun run(exampleReport(u"vendes-per-any.rpt"_s), testDataPath(u"empresa.mdb"_s));
        try {
            run.report().setParameterValue(name, value);
            QFAIL("the value was taken");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), number);
            QVERIFY2(failure.description().contains(named), qPrintable(failure.description()));
        }
    }

    void mandatoryParameterWithoutValueStopsTheLayout()
    {
        ReportRun run(periodReport(m_folder), testDataPath(u"empresa.mdb"_s));
        try {
            run.layOutAll();
            QFAIL("laid out without the period");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), ParameterErrors::MissingValue);
            QVERIFY(failure.description().contains(u"«Període»"_s));
        }
    }

    void listingNamesEveryParameterOnItsLine()
    {
        ReportRun run(exampleReport(u"vendes-per-any.rpt"_s), testDataPath(u"empresa.mdb"_s));
        QCOMPARE(run.report().parameterList(),
                 (QStringList{u"Any\tInteger\tAny de les comandes\t2024\t-"_s,
                              u"Països\tString múltiple\tPaïsos\tAndorra,Espanya,França\ttancada: valors de {Clients.Pais}"_s}));
    }
};

QTEST_MAIN(ReportParametersTest)
#include "test_report_parameters.moc"
