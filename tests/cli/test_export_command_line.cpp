#include "cli/ExportCommandLine.h"

#include "engine/core/Failure.h"
#include "engine/seam/SeamErrors.h"

#include <QtTest>

using namespace velmora;
using namespace Qt::StringLiterals;

using Action = ExportCommandLine::Action;

class ExportCommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void validCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("formatType");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("database");
        QTest::newRow("pdf is format 31")
            << QStringList{u"--format"_s, u"pdf"_s, u"--output"_s, u"a.pdf"_s, u"r.rpt"_s, u"d.mdb"_s}
            << 31 << u"a.pdf"_s << QString() << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("txt is 8, options after the paths")
            << QStringList{u"r.rpt"_s, u"d.mdb"_s, u"--format"_s, u"txt"_s, u"--output"_s, u"a.txt"_s}
            << 8 << u"a.txt"_s << QString() << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("xls is the layout Excel, 29")
            << QStringList{u"--format=xls"_s, u"--output=a.xls"_s, u"r.rpt"_s, u"d.mdb"_s}
            << 29 << u"a.xls"_s << QString() << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("xls-data is the data-only Excel, 36")
            << QStringList{u"--format"_s, u"xls-data"_s, u"--output"_s, u"a.xls"_s, u"r.rpt"_s, u"d.mdb"_s}
            << 36 << u"a.xls"_s << QString() << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("xlsx is the layout workbook in Office Open XML, 42")
            << QStringList{u"--format=xlsx"_s, u"--output=a.xlsx"_s, u"r.rpt"_s, u"d.mdb"_s}
            << 42 << u"a.xlsx"_s << QString() << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("xlsx-data is 43")
            << QStringList{u"--format=xlsx-data"_s, u"--output=a.xlsx"_s, u"r.rpt"_s, u"d.mdb"_s}
            << 43 << u"a.xlsx"_s << QString() << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("csv is 40, csv-semicolon 41")
            << QStringList{u"--format=csv-semicolon"_s, u"--output=a.csv"_s, u"r.rpt"_s, u"d.mdb"_s}
            << 41 << u"a.csv"_s << QString() << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("doc is 14")
            << QStringList{u"--format"_s, u"doc"_s, u"--output"_s, u"a.doc"_s, u"r.rpt"_s, u"d.mdb"_s}
            << 14 << u"a.doc"_s << QString() << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("a password keeps its blanks")
            << QStringList{u"--password"_s, u" la clau "_s, u"--format"_s, u"pdf"_s, u"--output"_s, u"a.pdf"_s,
                           u"r.rpt"_s, u"d.mdb"_s}
            << 31 << u"a.pdf"_s << u" la clau "_s << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("a password may start with a dash")
            << QStringList{u"--password"_s, u"-x-"_s, u"--format"_s, u"pdf"_s, u"--output"_s, u"a.pdf"_s,
                           u"r.rpt"_s, u"d.mdb"_s}
            << 31 << u"a.pdf"_s << u"-x-"_s << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("an empty password is no password")
            << QStringList{u"--password="_s, u"--format"_s, u"pdf"_s, u"--output"_s, u"a.pdf"_s, u"r.rpt"_s, u"d.mdb"_s}
            << 31 << u"a.pdf"_s << QString() << u"r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("after -- a path may start with a dash")
            << QStringList{u"--format"_s, u"pdf"_s, u"--output"_s, u"a.pdf"_s, u"--"_s, u"-r.rpt"_s, u"d.mdb"_s}
            << 31 << u"a.pdf"_s << QString() << u"-r.rpt"_s << u"d.mdb"_s;
        QTest::newRow("paths with blanks stay whole")
            << QStringList{u"--format"_s, u"pdf"_s, u"--output"_s, u"el meu.pdf"_s, u"Vendes 2024.rpt"_s, u"Empresa.mdb"_s}
            << 31 << u"el meu.pdf"_s << QString() << u"Vendes 2024.rpt"_s << u"Empresa.mdb"_s;
    }
    void validCommandLines()
    {
        QFETCH(QStringList, arguments);
        const ExportCommandLine command = ExportCommandLine::parse(arguments);
        QCOMPARE(command.action, Action::Export);
        QTEST(command.formatType, "formatType");
        QTEST(command.outputPath, "output");
        QTEST(command.password, "password");
        QTEST(command.reportPath, "report");
        QTEST(command.databasePath, "database");
    }

    void mistakesAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("nothing at all") << QStringList{} << u"--format"_s;
        QTest::newRow("no format") << QStringList{u"--output"_s, u"a.pdf"_s, u"r.rpt"_s, u"d.mdb"_s} << u"--format"_s;
        QTest::newRow("unknown format names the known ones")
            << QStringList{u"--format"_s, u"odt"_s, u"--output"_s, u"a.odt"_s, u"r.rpt"_s, u"d.mdb"_s} << u"xls-data"_s;
        QTest::newRow("format names are exact: PDF is not pdf")
            << QStringList{u"--format"_s, u"PDF"_s, u"--output"_s, u"a.pdf"_s, u"r.rpt"_s, u"d.mdb"_s} << u"PDF"_s;
        QTest::newRow("no output") << QStringList{u"--format"_s, u"pdf"_s, u"r.rpt"_s, u"d.mdb"_s} << u"--output"_s;
        QTest::newRow("empty output")
            << QStringList{u"--format"_s, u"pdf"_s, u"--output="_s, u"r.rpt"_s, u"d.mdb"_s} << u"--output"_s;
        QTest::newRow("option without its value")
            << QStringList{u"r.rpt"_s, u"d.mdb"_s, u"--output"_s, u"a.pdf"_s, u"--format"_s} << u"--format"_s;
        QTest::newRow("database missing")
            << QStringList{u"--format"_s, u"pdf"_s, u"--output"_s, u"a.pdf"_s, u"r.rpt"_s} << u"1"_s;
        QTest::newRow("one path too many")
            << QStringList{u"--format"_s, u"pdf"_s, u"--output"_s, u"a.pdf"_s, u"r.rpt"_s, u"d.mdb"_s, u"x"_s} << u"3"_s;
        QTest::newRow("unknown option")
            << QStringList{u"--fromat"_s, u"pdf"_s, u"--output"_s, u"a.pdf"_s, u"r.rpt"_s, u"d.mdb"_s} << u"--fromat"_s;
        QTest::newRow("an option twice is a mistake, not a silent choice")
            << QStringList{u"--format"_s, u"pdf"_s, u"--format"_s, u"doc"_s, u"--output"_s, u"a"_s, u"r"_s, u"d"_s}
            << u"--format"_s;
    }
    void mistakesAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, mentions);
        try {
            ExportCommandLine::parse(arguments);
            QFAIL("the command line was accepted");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), SeamErrors::BadCommandLine);
            QVERIFY2(failure.description().contains(mentions), qPrintable(failure.description()));
        }
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::newRow("--help") << QStringList{u"--help"_s} << Action::ShowHelp;
        QTest::newRow("-h") << QStringList{u"-h"_s} << Action::ShowHelp;
        QTest::newRow("help wins over a mistake") << QStringList{u"--format"_s, u"odt"_s, u"--help"_s} << Action::ShowHelp;
        QTest::newRow("--version") << QStringList{u"--version"_s} << Action::ShowVersion;
        QTest::newRow("after -- --help is a path")
            << QStringList{u"--format"_s, u"pdf"_s, u"--output"_s, u"a"_s, u"--"_s, u"--help"_s, u"d"_s}
            << Action::Export;
    }
    void helpAndVersion()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QCOMPARE(ExportCommandLine::parse(arguments).action, action);
    }

    void versionNamesTheProgramAndItsVersion()
    {
        QCOMPARE(ExportCommandLine::versionText(), u"velmora-export 2.00"_s);
    }
};

QTEST_GUILESS_MAIN(ExportCommandLineTest)
#include "test_export_command_line.moc"
