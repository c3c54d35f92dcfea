#include "app/MainWindowCaption.h"
#include "app/ProgramStart.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using velmora::ProgramStart;
using velmora::VersionInfo;
using namespace Qt::StringLiterals;

class TestProgramStart : public QObject {
    Q_OBJECT
private slots:
    void fromArguments_data();
    void fromArguments();
    void caption_data();
    void caption();
    void captionNamesTheFileTheProgramWasStartedAs();
};

void TestProgramStart::fromArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("executableName");
    QTest::addColumn<QString>("argumentText");

    QTest::newRow("the usual name, no arguments")
        << QStringList{u"/usr/bin/Velmora"_s} << u"Velmora"_s << u""_s;
    QTest::newRow("the extension is not part of the name")
        << QStringList{u"C:/Programes/Velmora.exe"_s} << u"Velmora"_s << u""_s;
    QTest::newRow("only the last extension goes")
        << QStringList{u"/opt/vel.mora.bin"_s} << u"vel.mora"_s << u""_s;
    QTest::newRow("started under another name")
        << QStringList{u"./Informes"_s, u"<a.rpt>"_s} << u"Informes"_s << u"<a.rpt>"_s;
    QTest::newRow("arguments are joined with single spaces")
        << QStringList{u"Velmora"_s, u"<a.rpt>"_s, u"<b.mdb>"_s, u"<clau>"_s} << u"Velmora"_s
        << u"<a.rpt> <b.mdb> <clau>"_s;
    QTest::newRow("spaces and quotes inside one argument are kept")
        << QStringList{u"Velmora"_s, u"\"<C:/Els meus/a.rpt>   <b.mdb>\""_s} << u"Velmora"_s
        << u"\"<C:/Els meus/a.rpt>   <b.mdb>\""_s;
    QTest::newRow("an empty argument still counts as a field of the text")
        << QStringList{u"Velmora"_s, u""_s, u"a.rpt"_s} << u"Velmora"_s << u" a.rpt"_s;
    QTest::newRow("no program name at all falls back to the product name")
        << QStringList{} << u"Velmora"_s << u""_s;
    QTest::newRow("an empty program name falls back to the product name")
        << QStringList{u""_s} << u"Velmora"_s << u""_s;
}

void TestProgramStart::fromArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, executableName);
    QFETCH(QString, argumentText);

    const ProgramStart start = ProgramStart::fromArguments(arguments);
    QCOMPARE(start.executableName, executableName);
    QCOMPARE(start.argumentText, argumentText);
}

void TestProgramStart::caption_data()
{
    QTest::addColumn<QString>("executableName");
    QTest::addColumn<VersionInfo>("version");
    QTest::addColumn<QString>("caption");

    QTest::newRow("this build under its usual name")
        << u"Velmora"_s << VersionInfo::current() << u"Quorvane    -    Velmora  v2.00"_s;
    QTest::newRow("another file name stands between the separators")
        << u"Informes"_s << VersionInfo::current() << u"Quorvane    -    Informes  v2.00"_s;
    QTest::newRow("minor and revision are written side by side")
        << u"Velmora"_s << VersionInfo{u"Quorvane"_s, u"Velmora"_s, 2, 1, 12}
        << u"Quorvane    -    Velmora  v2.112"_s;
    QTest::newRow("numbers carry no leading zeros or spaces")
        << u"Velmora"_s << VersionInfo{u"Quorvane"_s, u"Velmora"_s, 10, 0, 3}
        << u"Quorvane    -    Velmora  v10.03"_s;
}

void TestProgramStart::caption()
{
    QFETCH(QString, executableName);
    QFETCH(VersionInfo, version);
    QFETCH(QString, caption);

    QCOMPARE(velmora::mainWindowCaption(executableName, version), caption);
}

void TestProgramStart::captionNamesTheFileTheProgramWasStartedAs()
{
    const QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString renamed = folder.filePath(u"Informes.bin"_s);
    QVERIFY(QFile::link(QStringLiteral(VELMORA_CAPTION_PROBE), renamed));

    QProcess probe;
    probe.start(renamed, {u"<a.rpt>"_s});
    QVERIFY(probe.waitForFinished());
    QCOMPARE(probe.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(),
             u"Quorvane    -    Informes  v2.00"_s);
}

QTEST_APPLESS_MAIN(TestProgramStart)
#include "test_program_start.moc"
