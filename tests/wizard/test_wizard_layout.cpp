// Generated reports for a range of field choices: every file validates
// against the schema, no two objects of a section overlap, every object
// stays inside the page's margins, and landscape is taken exactly when the
// columns do not fit a portrait page.

#include "TestData.h"
#include "WizardTestChoices.h"
#include "engine/definition/ReportReader.h"
#include "wizard/generator/LinkProposal.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardReportFile.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::wizard;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {

const QStringList salesTables{u"LiniesComanda"_s, u"Comandes"_s, u"Clients"_s, u"Productes"_s};

WizardChoices choicesOver(const QStringList &tables, const std::vector<FieldName> &fields, const QString &heading = {})
{
    WizardChoices choices;
    choices.tables = tables;
    choices.links = proposeLinks(tables, empresaCatalog().relationships()).links;
    for (const FieldName &field : fields) {
        choices.columns.push_back({field, heading.isEmpty() ? QString() : heading + u' ' + field.field});
        const ColumnSchema *column = empresaCatalog().column(field);
        if (isNumeric(*column))
            choices.totals.push_back({field, {SummaryOperation::Sum, SummaryOperation::Average, SummaryOperation::Maximum}});
    }
    return choices;
}

std::vector<FieldName> fieldsOf(const QStringList &tables)
{
    return empresaCatalog().fieldsOf(tables);
}

/// A line is as tall as its stroke for this purpose.
QRect footprint(const ReportObject &object)
{
    QRect rect = object.rect;
    if (object.kind == ReportObject::Kind::Line)
        rect.setHeight(std::max(1, object.lineWidth));
    return rect;
}

bool schemaAccepts(const QString &file, QString &complaint)
{
    QProcess xmllint;
    xmllint.start(u"xmllint"_s, {u"--noout"_s, u"--schema"_s, sourcePath(u"docs/report-format.xsd"_s), file});
    xmllint.waitForFinished(60000);
    complaint = QString::fromUtf8(xmllint.readAllStandardError());
    return xmllint.exitStatus() == QProcess::NormalExit && xmllint.exitCode() == 0;
}

} // namespace

Q_DECLARE_METATYPE(velmora::wizard::WizardChoices)

class WizardLayoutTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"xmllint"_s).isEmpty())
            QSKIP("xmllint is not installed (package libxml2-utils)");
    }

    void generatedReports_data()
    {
        QTest::addColumn<WizardChoices>("choices");
        QTest::addColumn<bool>("landscape");
        const auto longHeading = u"Un títol de columna molt llarg que explica amb tota mena de detalls què hi ha"_s;
        QTest::newRow("one narrow field") << choicesOver({u"Clients"_s}, {{u"Clients"_s, u"Actiu"_s}}) << false;
        QTest::newRow("one number") << choicesOver({u"LiniesComanda"_s}, {{u"LiniesComanda"_s, u"Quantitat"_s}}) << false;
        QTest::newRow("every field of one table") << choicesOver({u"Clients"_s}, fieldsOf({u"Clients"_s})) << true;
        QTest::newRow("thirty fields") << choicesOver(salesTables, fieldsOf(salesTables)) << true;
        QTest::newRow("very long headings")
            << choicesOver({u"Productes"_s}, fieldsOf({u"Productes"_s}), longHeading) << true;
        WizardChoices grouped = salesByCountryAndClient(empresaCatalog(), QString());
        grouped.groups.push_back({{u"Comandes"_s, u"Estat"_s}, SortDirection::Descending});
        grouped.totals.push_back({{u"LiniesComanda"_s, u"PreuUnitari"_s}, {SummaryOperation::Average, SummaryOperation::Count,
                                                                            SummaryOperation::Minimum}});
        grouped.conditions = {{{u"Comandes"_s, u"DataComanda"_s}, Comparison::GreaterOrEqual, u"01/01/2024"_s, true},
                              {{u"Clients"_s, u"Nom"_s}, Comparison::Contains, u"a \"b\""_s, false}};
        grouped.look.style = u"classic"_s;
        QTest::newRow("three groups, totals, filter") << grouped << false;
        WizardChoices bare = grouped;
        bare.totals.clear();
        bare.look.pageNumbers = bare.look.printDate = false;
        bare.look.orientation = Orientation::Landscape;
        bare.look.paper = u"A3"_s;
        QTest::newRow("no totals, no footer, A3 landscape") << bare << true;
    }
    void generatedReports()
    {
        QFETCH(WizardChoices, choices);
        QFETCH(bool, landscape);
        const ReportDefinition composed = composeReport(choices, empresaCatalog()).definition;
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-') + u".rpt"_s);
        writeWizardReport(composed, choices, path);
        QString complaint;
        QVERIFY2(schemaAccepts(path, complaint), qPrintable(complaint));
        const ReportDefinition report = readReportFile(path);
        QCOMPARE(report, composed);
        QCOMPARE(report.page.landscape, landscape);

        const QSize page = report.page.pageSize();
        const int width = page.width() - report.page.margins.left() - report.page.margins.right();
        for (const SectionDefinition &section : report.sections) {
            for (size_t i = 0; i < section.objects.size(); ++i) {
                const QRect a = footprint(section.objects[i]);
                QVERIFY2(a.left() >= 0 && a.left() + a.width() <= width && a.top() >= 0
                             && a.top() + a.height() <= section.height,
                         qPrintable(section.objects[i].name + u" leaves its section or the page"_s));
                for (size_t j = i + 1; j < section.objects.size(); ++j)
                    QVERIFY2(!a.intersects(footprint(section.objects[j])),
                             qPrintable(section.objects[i].name + u" overlaps "_s + section.objects[j].name));
            }
        }
    }

    void spareRoomGoesToTheTextColumns()
    {
        const WizardChoices choices = choicesOver({u"Clients"_s}, {{u"Clients"_s, u"IdClient"_s}, {u"Clients"_s, u"Nom"_s}});
        const ReportDefinition report = composeReport(choices, empresaCatalog()).definition;
        const auto &details = *std::find_if(report.sections.begin(), report.sections.end(),
                                            [](const SectionDefinition &s) { return s.kind == SectionKind::Details; });
        const QRect key = details.objects[0].rect, name = details.objects[1].rect;
        QCOMPARE(name.left() + name.width(), usableWidth(u"A4"_s, false));
        QVERIFY2(key.width() < 1500, "a key stays narrow");
    }
};

QTEST_MAIN(WizardLayoutTest)
#include "test_wizard_layout.moc"
