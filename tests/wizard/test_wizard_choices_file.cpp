// The wizard opens again a report it wrote with the same choices, reads
// what a hand-written report shows plainly, refuses a damaged <wizard>
// element with its own number, and turns filter conditions into a record
// selection and parameters of the fields' types.

#include "TestData.h"
#include "ReportRun.h"
#include "WizardTestChoices.h"
#include "engine/core/Failure.h"
#include "engine/definition/ParameterValueText.h"
#include "wizard/generator/RecordFilter.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardErrors.h"
#include "wizard/generator/WizardReportFile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::wizard;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

class WizardChoicesFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    WizardChoices everyKindOfChoice() const
    {
        WizardChoices choices = salesByCountryAndClient(empresaCatalog(), m_dir.filePath(u"dades/empresa.mdb"_s));
        choices.links[0].join = JoinType::LeftOuter;
        choices.sorts[0].direction = SortDirection::Descending;
        choices.totals.push_back({{u"LiniesComanda"_s, u"PreuUnitari"_s}, {SummaryOperation::Average, SummaryOperation::Maximum}});
        choices.totalsPerGroup = false;
        choices.conditions = {{{u"Clients"_s, u"Pais"_s}, Comparison::NotEqual, u"França"_s, false},
                              {{u"LiniesComanda"_s, u"Quantitat"_s}, Comparison::Greater, QString(), true}};
        choices.look = {u"Letter"_s, Orientation::Landscape, u"Títol amb \"cometes\" & més"_s, u"plain"_s, false, true};
        return choices;
    }

private slots:
    void aWrittenReportOpensWithItsChoices()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(u"dades"_s));
        const WizardChoices choices = everyKindOfChoice();
        const QString path = m_dir.filePath(u"informe.rpt"_s);
        writeWizardReport(composeReport(choices, empresaCatalog()).definition, choices, path);
        QCOMPARE(readWizardChoices(path), choices);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll().contains("database=\"dades/empresa.mdb\""), "kept beside the report, relative");
    }

    void aHandWrittenReportGivesWhatItShows()
    {
        const WizardChoices choices = readWizardChoices(exampleReport(u"vendes-per-pais.rpt"_s));
        QCOMPARE(choices.tables, (QStringList{u"LiniesComanda"_s, u"Comandes"_s, u"Clients"_s, u"Productes"_s}));
        QCOMPARE(choices.links.size(), size_t(3));
        QCOMPARE(choices.groups.size(), size_t(2));
        QCOMPARE(choices.groups[0].field, (FieldName{u"Clients"_s, u"Pais"_s}));
        QCOMPARE(choices.look.title, u"Vendes per país i client"_s);
        QCOMPARE(choices.columns.front().field, (FieldName{u"LiniesComanda"_s, u"IdComanda"_s}));
        QCOMPARE(choices.columns.front().heading, u"Comanda"_s);
        QVERIFY(choices.databasePath.isEmpty());
    }

    void aDamagedWizardElementIsRefused_data()
    {
        QTest::addColumn<QByteArray>("element");
        QTest::newRow("field without braces") << QByteArray("<column field=\"Clients.Nom\"/>");
        QTest::newRow("unknown operation") << QByteArray("<total field=\"{Clients.LimitCredit}\" operations=\"Sum Median\"/>");
        QTest::newRow("unknown comparison") << QByteArray("<condition field=\"{Clients.Pais}\" comparison=\"like\"/>");
        QTest::newRow("unknown element") << QByteArray("<colour value=\"red\"/>");
        QTest::newRow("bad flag") << QByteArray("<look pageNumbers=\"yes\"/>");
    }
    void aDamagedWizardElementIsRefused()
    {
        QFETCH(QByteArray, element);
        const QString path = m_dir.filePath(u"malmes.rpt"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\"?>\n<report formatVersion=\"1\"><tables><table name=\"Clients\"/></tables>"
                   "<wizard>" + element + "</wizard></report>\n");
        file.close();
        try {
            readWizardChoices(path);
            QFAIL("read");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), WizardErrors::BadWizardChoices);
        }
    }

    void conditionsBecomeASelection_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("comparison");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("parameterDefault");
        QTest::newRow("text, quotes doubled") << u"Clients.Nom"_s << int(Comparison::Equal) << u"L'\"Àvia\""_s << false
                                              << u"{Clients.Nom} = \"L'\"\"Àvia\"\"\""_s << QString();
        QTest::newRow("integer") << u"LiniesComanda.Quantitat"_s << int(Comparison::GreaterOrEqual) << u" 10 "_s << false
                                 << u"{LiniesComanda.Quantitat} >= 10"_s << QString();
        QTest::newRow("currency with a comma") << u"Clients.LimitCredit"_s << int(Comparison::Less) << u"1500,5"_s
                                               << false << u"{Clients.LimitCredit} < 1500.5"_s << QString();
        QTest::newRow("date") << u"Comandes.DataComanda"_s << int(Comparison::NotEqual) << u"31/12/2024"_s << false
                              << u"{Comandes.DataComanda} <> Date(2024, 12, 31)"_s << QString();
        QTest::newRow("yes/no") << u"Clients.Actiu"_s << int(Comparison::Equal) << u"Sí"_s << false
                                << u"{Clients.Actiu} = True"_s << QString();
        QTest::newRow("starts with, pattern signs dropped") << u"Clients.Ciutat"_s << int(Comparison::StartsWith)
                                                             << u"Bar*?"_s << false
                                                             << u"{Clients.Ciutat} like \"Bar\" & \"*\""_s << QString();
        QTest::newRow("asked date, offered") << u"Comandes.DataComanda"_s << int(Comparison::Less) << u"1/2/2025"_s
                                             << true << u"(IsNull({?DataComanda}) or {Comandes.DataComanda} < {?DataComanda})"_s
                                             << u"2025-02-01"_s;
        QTest::newRow("asked text, contains") << u"Clients.Nom"_s << int(Comparison::Contains) << QString() << true
                                              << u"(IsNull({?Nom}) or {Clients.Nom} like \"*\" & {?Nom} & \"*\")"_s
                                              << QString();
    }
    void conditionsBecomeASelection()
    {
        QFETCH(QString, field);
        QFETCH(int, comparison);
        QFETCH(QString, value);
        QFETCH(bool, ask);
        QFETCH(QString, selection);
        QFETCH(QString, parameterDefault);
        const QStringList parts = field.split(u'.');
        const RecordFilter filter = buildRecordFilter({{{parts[0], parts[1]}, Comparison(comparison), value, ask}},
                                                      empresaCatalog());
        QCOMPARE(filter.selection.text, selection);
        QCOMPARE(filter.parameters.size(), size_t(ask ? 1 : 0));
        if (ask && !parameterDefault.isEmpty())
            QCOMPARE(parameterValueText(filter.parameters[0].defaultValue.first()), parameterDefault);
        if (ask)
            QVERIFY(filter.parameters[0].optional);
    }

    void aValueOfTheWrongTypeIsRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("text for a number") << u"LiniesComanda.Quantitat"_s << u"deu"_s;
        QTest::newRow("decimals for an integer") << u"LiniesComanda.Quantitat"_s << u"2,5"_s;
        QTest::newRow("a formula smuggled in") << u"LiniesComanda.Quantitat"_s << u"1 or True"_s;
        QTest::newRow("no such day") << u"Comandes.DataComanda"_s << u"31/02/2024"_s;
        QTest::newRow("neither yes nor no") << u"Clients.Actiu"_s << u"potser"_s;
    }
    void aValueOfTheWrongTypeIsRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        const QStringList parts = field.split(u'.');
        try {
            buildRecordFilter({{{parts[0], parts[1]}, Comparison::Equal, value, false}}, empresaCatalog());
            QFAIL("taken");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), WizardErrors::BadConditionValue);
            QVERIFY2(failure.description().contains(value), qPrintable(failure.description()));
        }
    }
};

QTEST_MAIN(WizardChoicesFileTest)
#include "test_wizard_choices_file.moc"
