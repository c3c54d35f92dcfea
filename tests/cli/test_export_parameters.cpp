// velmora-export's --param and --list-params: the command line they read,
// and the real program over empresa.mdb, exit status included. A value the
// report cannot take is a mistake on the command line (status 2) that names
// the parameter, and leaves no file behind.

#include "cli/ExportCommandLine.h"
#include "engine/core/Failure.h"

#include "ExportProgramRun.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

using Run = ExportProgramRun;

Run runProgram(const QStringList &arguments) { return ExportProgramRun::of(arguments); }

QString yearlyReport() { return qEnvironmentVariable("VELMORA_SOURCE_DIR") + u"/examples/vendes-per-any.rpt"_s; }
QString database() { return qEnvironmentVariable("VELMORA_TEST_DATA") + u"/empresa.mdb"_s; }

} // namespace

class ExportParametersTest : public QObject {
    Q_OBJECT
private slots:
    void parameterOptionsAreRead()
    {
        const ExportCommandLine command = ExportCommandLine::parse(
            {u"--param"_s, u"Any=2024"_s, u"--format=txt"_s, u"--param=Països=Espanya\\,Andorra,França"_s,
             u"--param"_s, u"Nota="_s, u"--output"_s, u"a.txt"_s, u"r.rpt"_s, u"d.mdb"_s});
        QCOMPARE(command.parameters.size(), size_t(3));
        QCOMPARE(command.parameters[0].name, u"Any"_s);
        QCOMPARE(command.parameters[0].value, u"2024"_s);
        // The value is passed on whole, escapes and all: the report reads it by the parameter's shape.
        QCOMPARE(command.parameters[1].value, u"Espanya\\,Andorra,França"_s);
        QCOMPARE(command.parameters[2].value, QString());
        const ExportCommandLine listing = ExportCommandLine::parse({u"--list-params"_s, u"r.rpt"_s});
        QCOMPARE(listing.action, ExportCommandLine::Action::ListParameters);
        QCOMPARE(listing.reportPath, u"r.rpt"_s);
    }

    void parameterMistakesOnTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("--param without =") << QStringList{u"--param"_s, u"Any"_s, u"--format"_s, u"txt"_s} << u"NOM=VALOR"_s;
        QTest::newRow("--param without a name") << QStringList{u"--param"_s, u"=3"_s} << u"NOM=VALOR"_s;
        QTest::newRow("--list-params with an export") << QStringList{u"--list-params"_s, u"r.rpt"_s, u"--format"_s, u"txt"_s} << u"--list-params"_s;
    }
    void parameterMistakesOnTheCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        try {
            ExportCommandLine::parse(arguments);
            QFAIL("accepted");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), 1014);
            QVERIFY2(failure.description().contains(message), qPrintable(failure.description()));
        }
    }

    void exportWithParameters_data()
    {
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("errorPattern");
        QTest::newRow("a year and two countries") << QStringList{u"Any=2022"_s, u"Països=Itàlia,Suïssa"_s} << 0 << QString();
        QTest::newRow("the defaults alone") << QStringList{} << 0 << QString();
        QTest::newRow("a parameter the report does not declare")
            << QStringList{u"Mes=3"_s} << 2 << u"^error 1030: .*«Mes»"_s;
        QTest::newRow("a year that is not a whole number")
            << QStringList{u"Any=dos mil"_s} << 2 << u"^error 1031: .*«Any».*un nombre enter"_s;
        QTest::newRow("a country outside the closed list")
            << QStringList{u"Països=Espanya,Xina"_s} << 2 << u"^error 1032: .*«Xina».*«Països»"_s;
    }
    void exportWithParameters()
    {
        QFETCH(QStringList, parameters);
        QFETCH(int, exitCode);
        QFETCH(QString, errorPattern);
        QTemporaryDir folder;
        const QString output = folder.filePath(u"vendes.txt"_s);
        QStringList arguments{u"--format"_s, u"txt"_s, u"--output"_s, output};
        for (const QString &parameter : parameters)
            arguments << u"--param"_s << parameter;
        arguments << yearlyReport() << database();
        const Run run = runProgram(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QFile::exists(output), exitCode == 0);
        if (!errorPattern.isEmpty())
            QVERIFY2(run.err.contains(QRegularExpression(errorPattern, QRegularExpression::MultilineOption)), qPrintable(run.err));
    }

    void mandatoryParameterWithoutValueIsAMistake()
    {
        QTemporaryDir folder;
        QFile example(yearlyReport());
        QVERIFY(example.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(example.readAll());
        text.replace(u" default=\"2024\""_s, QString());
        const QString report = folder.filePath(u"sense-any.rpt"_s);
        QFile copy(report);
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(text.toUtf8());
        copy.close();
        const QString output = folder.filePath(u"vendes.pdf"_s);
        const Run run = runProgram({u"--format"_s, u"pdf"_s, u"--output"_s, output, report, database()});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QRegularExpression(u"^error 1033: .*«Any» és obligatori"_s, QRegularExpression::MultilineOption)),
                 qPrintable(run.err));
        QVERIFY(!QFile::exists(output));
        const Run given = runProgram({u"--format"_s, u"pdf"_s, u"--output"_s, output, u"--param"_s, u"Any=2020"_s, report, database()});
        QCOMPARE(given.exitCode, 0);
        QVERIFY(QFile::exists(output));
    }

    void listingIsOneLinePerParameter()
    {
        const Run run = runProgram({u"--list-params"_s, yearlyReport()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, u"Any\tInteger\tAny de les comandes\t2024\t-\n"
                          u"Països\tString múltiple\tPaïsos\tAndorra,Espanya,França\ttancada: valors de {Clients.Pais}\n"_s);
        const Run missing = runProgram({u"--list-params"_s, u"/no/hi/es.rpt"_s});
        QCOMPARE(missing.exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(ExportParametersTest)
#include "test_export_parameters.moc"
