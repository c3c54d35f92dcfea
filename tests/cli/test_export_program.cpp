#include "ExportProgramRun.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
using Run = ExportProgramRun;

Run runProgram(const QStringList &arguments) { return ExportProgramRun::of(arguments); }

/// The line with the failure, whatever Qt itself may print before it.
QString errorLineOf(const QString &err)
{
    const QRegularExpression line(u"^error (-?\\d+): (.+)$"_s, QRegularExpression::MultilineOption);
    return line.match(err).captured(0);
}
} // namespace

class ExportProgramTest : public QObject {
    Q_OBJECT
private slots:
    void exitStatusAndMessages_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("errorPattern");
        QTest::addColumn<QString>("outputStart");
        QTest::newRow("missing report file fails with a numbered error")
            << QStringList{u"--format"_s, u"pdf"_s, u"--output"_s, u"@OUT@"_s, u"/no/hi/es/informe.rpt"_s,
                           u"/no/hi/es/dades.mdb"_s}
            << 1 << u"^error \\d+: .+$"_s << QString();
        QTest::newRow("bad command line exits with 2")
            << QStringList{u"--format"_s, u"odt"_s} << 2 << u"^error 1014: Format desconegut"_s << QString();
        QTest::newRow("help goes to standard output")
            << QStringList{u"--help"_s} << 0 << QString() << u"Ús: velmora-export"_s;
        QTest::newRow("version goes to standard output")
            << QStringList{u"--version"_s} << 0 << QString() << u"velmora-export 2.00\n"_s;
    }
    void exitStatusAndMessages()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, errorPattern);
        QFETCH(QString, outputStart);
        QTemporaryDir folder;
        const QString outputFile = folder.filePath(u"sortida.pdf"_s);
        arguments.replaceInStrings(u"@OUT@"_s, outputFile);

        const Run run = runProgram(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.startsWith(outputStart), qPrintable(run.out));
        if (errorPattern.isEmpty()) {
            QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        } else {
            QVERIFY2(errorLineOf(run.err).contains(QRegularExpression(errorPattern)), qPrintable(run.err));
            // Progress is for terminals: a script reading the errors sees none.
            QVERIFY(!run.err.contains(u'\r'));
        }
        QVERIFY(!QFile::exists(outputFile));
    }
};

QTEST_GUILESS_MAIN(ExportProgramTest)
#include "test_export_program.moc"
