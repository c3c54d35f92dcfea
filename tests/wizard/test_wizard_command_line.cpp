// velmora-wizard's command line, and --regenerate: a report written anew
// from choices edited by hand in its <wizard> element.

#include "TestData.h"
#include "WizardTestChoices.h"
#include "engine/definition/ReportReader.h"
#include "wizard/RegenerateReport.h"
#include "wizard/WizardCommandLine.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardReportFile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::wizard;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

class WizardCommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("regenerate");
        QTest::addColumn<bool>("refused");
        QTest::newRow("nothing") << QStringList{} << QString() << QString() << QString() << false << false;
        QTest::newRow("a report") << QStringList{u"a.rpt"_s} << u"a.rpt"_s << QString() << QString() << false << false;
        QTest::newRow("database and password, spaces kept")
            << QStringList{u"--database"_s, u"b d.mdb"_s, u"--password"_s, u"clau secreta"_s} << QString() << u"b d.mdb"_s
            << u"clau secreta"_s << false << false;
        QTest::newRow("regenerate") << QStringList{u"--regenerate"_s, u"a.rpt"_s} << u"a.rpt"_s << QString() << QString()
                                    << true << false;
        QTest::newRow("regenerate what?") << QStringList{u"--regenerate"_s} << QString() << QString() << QString() << true
                                          << true;
        QTest::newRow("a value missing") << QStringList{u"--password"_s} << QString() << QString() << QString() << false
                                         << true;
        QTest::newRow("unknown option") << QStringList{u"--format"_s, u"pdf"_s} << QString() << QString() << QString()
                                        << false << true;
        QTest::newRow("two reports") << QStringList{u"a.rpt"_s, u"b.rpt"_s} << u"a.rpt"_s << QString() << QString() << false
                                     << true;
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, report);
        QFETCH(QString, database);
        QFETCH(QString, password);
        QFETCH(bool, regenerate);
        QFETCH(bool, refused);
        const WizardCommandLine line = WizardCommandLine::parse(QStringList{u"velmora-wizard"_s} + arguments);
        QCOMPARE(line.report, report);
        QCOMPARE(line.database, database);
        QCOMPARE(line.password, password);
        QCOMPARE(line.regenerate, regenerate);
        QCOMPARE(!line.error.isEmpty(), refused);
    }

    void choicesEditedByHandAreRegenerated()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"vendes.rpt"_s);
        WizardChoices choices = salesByCountryAndClient(empresaCatalog(), testDataPath(u"empresa.mdb"_s));
        writeWizardReport(composeReport(choices, empresaCatalog()).definition, choices, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray text = file.readAll();
        file.close();
        text.replace("<column field=\"{LiniesComanda.Quantitat}\"/>",
                     "<column field=\"{LiniesComanda.Quantitat}\" heading=\"Unitats\"/>");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();

        QCOMPARE(regenerateReport(path, QString()), 0);
        choices.columns[3].heading = u"Unitats"_s;
        QCOMPARE(readWizardChoices(path), choices);
        QCOMPARE(readReportFile(path), composeReport(choices, empresaCatalog()).definition);
        QCOMPARE(regenerateReport(dir.filePath(u"cap.rpt"_s), QString()), 1);
    }
};

QTEST_MAIN(WizardCommandLineTest)
#include "test_wizard_command_line.moc"
