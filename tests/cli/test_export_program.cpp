#include "ExportProgramRun.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
using Run = ExportProgramRun;

Run runProgram(const QStringList &arguments, const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    return ExportProgramRun::of(arguments, environment);
}

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

    // Access 2013 encrypted the whole file under its password; the client
    // cards come from a subreport over the same file, which borrows it.
    void exportsAnEncryptedDatabaseWithItsPassword_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("errorPattern");
        QTest::newRow("right password") << u"1234"_s << 0 << QString();
        QTest::newRow("wrong password") << u"4321"_s << 1 << u"^error 3005: La contrasenya de la base de dades «db2013-enc.accdb» no és correcta.$"_s;
    }
    void exportsAnEncryptedDatabaseWithItsPassword()
    {
        QFETCH(QString, password);
        QFETCH(int, exitCode);
        QFETCH(QString, errorPattern);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"clients.pdf"_s);
        const QString data = qEnvironmentVariable("VELMORA_TEST_DATA");
        const Run run = runProgram({u"--format"_s, u"pdf"_s, u"--output"_s, pdf, u"--password"_s, password,
                                    data + u"/clients-xifrats.rpt"_s, data + u"/db2013-enc.accdb"_s});
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode != 0) {
            QVERIFY2(errorLineOf(run.err).contains(QRegularExpression(errorPattern)), qPrintable(run.err));
            QVERIFY(!QFile::exists(pdf));
            return;
        }
        QProcess pdftotext;
        pdftotext.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        QVERIFY(pdftotext.waitForFinished(-1));
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        for (const QString &shown : {u"Clients de la base xifrada"_s, u"Test2"_s, u"Fitxa de Test"_s, u"Fitxa de f"_s})
            QVERIFY2(text.contains(shown), qPrintable(text));
    }

    // A script's standard error holds the program's own errors only, also
    // when the session has no usable runtime folder (cron, ssh, services),
    // where Qt would warn and leave "runtime-<user>" in the temporary folder.
    void exportWritesNothingElse_data()
    {
        QTest::addColumn<QString>("runtimeFolder"); // under the scratch folder; empty: unset
        QTest::addColumn<QFile::Permissions>("permissions");
        QTest::newRow("no runtime folder") << QString() << QFile::Permissions();
        QTest::newRow("runtime folder open to others")
            << u"sessio"_s << (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        QTest::newRow("runtime folder that does not exist") << u"no-hi-es"_s << QFile::Permissions();
        QTest::newRow("a usable runtime folder") << u"bona"_s
                                                 << (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void exportWritesNothingElse()
    {
        QFETCH(QString, runtimeFolder);
        QFETCH(QFile::Permissions, permissions);
        QTemporaryDir scratch;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"TMPDIR"_s, scratch.path());
        environment.remove(u"XDG_RUNTIME_DIR"_s);
        const QString runtimePath = scratch.filePath(runtimeFolder);
        if (!runtimeFolder.isEmpty()) {
            environment.insert(u"XDG_RUNTIME_DIR"_s, runtimePath);
            if (permissions) {
                QVERIFY(QDir().mkdir(runtimePath));
                QVERIFY(QFile::setPermissions(runtimePath, permissions));
            }
        }
        const QString source = qEnvironmentVariable("VELMORA_SOURCE_DIR");
        const QString output = scratch.filePath(u"vendes.csv"_s);
        const Run run = runProgram({u"--format=csv"_s, u"--output"_s, output, source + u"/examples/vendes-per-pais.rpt"_s,
                                    source + u"/examples/empresa.mdb"_s},
                                   environment);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QVERIFY(QFile::exists(output));
        // Nothing left behind, and a folder the session named is as it was.
        QStringList expected{u"vendes.csv"_s};
        if (permissions)
            expected << runtimeFolder;
        expected.sort();
        QCOMPARE(QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
                 expected);
        if (permissions)
            QCOMPARE(QFile::permissions(runtimePath) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), permissions);
    }
};

QTEST_GUILESS_MAIN(ExportProgramTest)
#include "test_export_program.moc"
