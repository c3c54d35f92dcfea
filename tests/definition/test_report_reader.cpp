#include "engine/core/Failure.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/ReportReader.h"
#include "../support/TestData.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using velmora::testing::sourcePath;
namespace Errors = velmora::DefinitionErrors;

namespace {

/// A report file whose body starts on line 3, so rows can name lines.
QByteArray reportWith(const QStringList &bodyLines, const QByteArray &root = "<report formatVersion=\"1\">")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + root + '\n' + bodyLines.join(u'\n').toUtf8()
        + "\n</report>\n";
}

const QStringList clientsTable = {
    QStringLiteral("<tables>"),
    QStringLiteral("<table name=\"Clients\"/>"),
    QStringLiteral("</tables>"),
};

QStringList withClients(const QStringList &rest)
{
    return clientsTable + rest;
}

/// Line and column of the first occurrence of `needle` in `text`, counted
/// independently of the reader.
QPair<int, int> positionOf(const QString &text, const QString &needle)
{
    const qsizetype offset = text.indexOf(needle);
    const qsizetype lineStart = text.lastIndexOf(u'\n', offset - 1) + 1;
    return {int(text.left(offset).count(u'\n')) + 1, int(offset - lineStart) + 1};
}

int countObjects(const ReportDefinition &report)
{
    int count = 0;
    for (const SectionDefinition &section : report.sections)
        count += int(section.objects.size());
    return count;
}

const ReportObject *findObject(const ReportDefinition &report, const QString &name)
{
    for (const SectionDefinition &section : report.sections) {
        for (const ReportObject &object : section.objects) {
            if (object.name == name)
                return &object;
        }
    }
    return nullptr;
}

} // namespace

class ReportReaderTest : public QObject {
    Q_OBJECT
private slots:
    void examplesHaveTheirShape_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("tables");
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("sections");
        QTest::addColumn<int>("objects");
        QTest::newRow("sales: four tables, country then client, one-line details")
            << "examples/vendes-per-pais.rpt" << 4 << 2 << 8 << 37;
        QTest::newRow("clients: one table, no groups, details in three parts")
            << "examples/clients.rpt" << 1 << 0 << 7 << 23;
        QTest::newRow("orders: months as the one group, lines in a subreport")
            << "examples/comandes-amb-linies.rpt" << 3 << 1 << 7 << 24;
        QTest::newRow("products: one group by category, logo in the report header")
            << "examples/productes-per-categoria.rpt" << 1 << 1 << 7 << 32;
        QTest::newRow("stock: formatting formulas, pending orders in a subreport")
            << "examples/estoc-i-cobraments.rpt" << 1 << 1 << 7 << 17;
    }
    void examplesHaveTheirShape()
    {
        QFETCH(QString, file);
        QFETCH(int, tables);
        QFETCH(int, groups);
        QFETCH(int, sections);
        QFETCH(int, objects);
        const ReportDefinition report = readReportFile(sourcePath(file));
        QCOMPARE(int(report.tables.size()), tables);
        QCOMPARE(int(report.groups.size()), groups);
        QCOMPARE(int(report.sections.size()), sections);
        QCOMPARE(countObjects(report), objects);
        QCOMPARE(report.page.paper, QSize(11906, 16838));
    }

    void salesReportSumsImportPerClientCountryAndReport_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<int>("groupLevel");
        QTest::newRow("client footer: group 2 in the file is level 1") << "ImportClient" << 1;
        QTest::newRow("country footer: group 1 is level 0") << "ImportPais" << 0;
        QTest::newRow("report footer: \"report\" is -1") << "ImportTotal" << -1;
    }
    void salesReportSumsImportPerClientCountryAndReport()
    {
        QFETCH(QString, object);
        QFETCH(int, groupLevel);
        const ReportDefinition report = readReportFile(sourcePath(QStringLiteral("examples/vendes-per-pais.rpt")));
        const ReportObject *summary = findObject(report, object);
        QVERIFY(summary);
        QCOMPARE(summary->field.kind, FieldRef::Kind::Summary);
        QCOMPARE(summary->field.operation, SummaryOperation::Sum);
        QCOMPARE(summary->field.groupLevel, groupLevel);
        QCOMPARE(summary->field.operand->toText(), QStringLiteral("{@Import}"));
        QCOMPARE(summary->format.alignment, HorizontalAlignment::Right);
        QCOMPARE(summary->format.valueFormat, QStringLiteral("#,##0.00"));
    }

    void subreportKeepsItsOwnDefinitionAndLink()
    {
        const ReportDefinition report =
            readReportFile(sourcePath(QStringLiteral("examples/comandes-amb-linies.rpt")));
        const ReportObject *subreport = findObject(report, QStringLiteral("Linies"));
        QVERIFY(subreport);
        QCOMPARE(int(subreport->kind), 5);
        QVERIFY(subreport->subreport);
        QCOMPARE(subreport->subreport->tables.front().name, QStringLiteral("LiniesComanda"));
        QCOMPARE(subreport->links.size(), size_t(1));
        QCOMPARE(subreport->links.front().mainField.toText(), QStringLiteral("{Comandes.IdComanda}"));
        QCOMPARE(subreport->links.front().subreportField.toText(), QStringLiteral("{LiniesComanda.IdComanda}"));
        QCOMPARE(report.links.back().join, JoinType::LeftOuter);
    }

    void pictureIsLoadedFromBesideTheReport()
    {
        const ReportDefinition report =
            readReportFile(sourcePath(QStringLiteral("examples/productes-per-categoria.rpt")));
        const ReportObject *logo = findObject(report, QStringLiteral("Logotip"));
        QVERIFY(logo);
        QCOMPARE(logo->imagePath, QStringLiteral("logo.png"));
        QFile png(sourcePath(QStringLiteral("examples/logo.png")));
        QVERIFY(png.open(QIODevice::ReadOnly));
        QCOMPARE(logo->imageData, png.readAll());
        QCOMPARE(report.parameters.front().defaultValue, Value::string(QStringLiteral("A")));
        QCOMPARE(report.runningTotals.back().resetGroupLevel, 0);
    }

    void formulaPositionsPointAtTheirFirstCharacter_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("startsWith");
        QTest::newRow("plain text right after the tag") << "examples/vendes-per-pais.rpt" << "Import"
                                                        << "{LiniesComanda.Quantitat} *";
        QTest::newRow("CDATA on the next lines: white space skipped") << "examples/clients.rpt" << "Telefon"
                                                                      << "if IsNull({Clients.Telefon})";
        QTest::newRow("CDATA after a multi-byte line") << "examples/comandes-amb-linies.rpt" << "Venedor"
                                                       << "if IsNull({Venedors.Nom})";
    }
    void formulaPositionsPointAtTheirFirstCharacter()
    {
        QFETCH(QString, file);
        QFETCH(QString, formula);
        QFETCH(QString, startsWith);
        QFile source(sourcePath(file));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const auto [line, column] = positionOf(QString::fromUtf8(source.readAll()), startsWith);
        const ReportDefinition definition = readReportFile(sourcePath(file));
        const FormulaDefinition *read = definition.formula(formula);
        QVERIFY(read);
        QVERIFY(read->formula.text.startsWith(startsWith));
        QVERIFY(!read->formula.text.back().isSpace());
        QCOMPARE(read->formula.line, line);
        QCOMPARE(read->formula.column, column);
    }

    void windowsLineEndsAndByteOrderMarkKeepPositions()
    {
        QFile source(sourcePath(QStringLiteral("examples/clients.rpt")));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray unix = source.readAll();
        QByteArray windows = "\xEF\xBB\xBF" + unix;
        windows.replace("\n", "\r\n");
        const ReportDefinition fromUnix = readReportText(unix, QString());
        const ReportDefinition fromWindows = readReportText(windows, QString());
        QVERIFY(fromWindows == fromUnix);
        QCOMPARE(fromWindows.formulas.front().formula.line, fromUnix.formulas.front().formula.line);
        QCOMPARE(fromWindows.formulas.front().formula.column, fromUnix.formulas.front().formula.column);
        QVERIFY(!fromWindows.formulas.front().formula.text.contains(u'\r'));
    }

    void objectPositionIsWhereItsElementStarts()
    {
        const QString file = sourcePath(QStringLiteral("examples/clients.rpt"));
        QFile source(file);
        QVERIFY(source.open(QIODevice::ReadOnly));
        const auto [line, column] = positionOf(QString::fromUtf8(source.readAll()), QStringLiteral("<field name=\"TextNotes\""));
        const ReportDefinition definition = readReportFile(file);
        const ReportObject *notes = findObject(definition, QStringLiteral("TextNotes"));
        QVERIFY(notes);
        QCOMPARE(notes->position.line, line);
        QCOMPARE(notes->position.column, column);
        QVERIFY(notes->format.canGrow);
    }

    void unnamedSectionsAndObjectsGetFreeNames()
    {
        const QByteArray text = reportWith({
            QStringLiteral("<sections>"),
            QStringLiteral("<details height=\"200\"><text left=\"0\" top=\"0\" width=\"9\" height=\"9\" text=\"a\"/></details>"),
            QStringLiteral("<details height=\"200\"><text name=\"Text1\" left=\"0\" top=\"0\" width=\"9\" height=\"9\" text=\"b\"/></details>"),
            QStringLiteral("</sections>"),
        });
        const ReportDefinition report = readReportText(text, QString());
        QCOMPARE(report.sections[0].name, QStringLiteral("Details"));
        QCOMPARE(report.sections[1].name, QStringLiteral("Details_2"));
        QCOMPARE(report.sections[0].objects[0].name, QStringLiteral("Text2"));
    }

    void brokenReportIsRefusedAtItsPlace_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        const auto row = [](const char *name, const QByteArray &text, int number, int line, int column) {
            QTest::newRow(name) << text << number << line << column;
        };
        row("misspelt element", reportWith({QStringLiteral("<tabels/>")}), Errors::UnknownElement, 3, 1);
        row("misspelt attribute", reportWith({QStringLiteral("<page papr=\"A4\"/>")}), Errors::UnknownAttribute, 3, 1);
        row("table without its name", reportWith({QStringLiteral("<tables>"), QStringLiteral("  <table alias=\"C\"/>"),
                                                  QStringLiteral("</tables>")}),
            Errors::MissingAttribute, 4, 3);
        row("height with a unit", reportWith({QStringLiteral("<sections>"), QStringLiteral("<details height=\"12px\"/>"),
                                              QStringLiteral("</sections>")}),
            Errors::BadNumber, 4, 1);
        row("negative section height", reportWith({QStringLiteral("<sections>"), QStringLiteral("<details height=\"-5\"/>"),
                                                   QStringLiteral("</sections>")}),
            Errors::BadNumber, 4, 1);
        row("colour by name", reportWith({QStringLiteral("<sections>"),
                                          QStringLiteral("<details height=\"5\" background=\"red\"/>"),
                                          QStringLiteral("</sections>")}),
            Errors::BadColour, 4, 1);
        row("boolean as yes", reportWith({QStringLiteral("<sections>"),
                                          QStringLiteral("<details height=\"5\" suppress=\"yes\"/>"),
                                          QStringLiteral("</sections>")}),
            Errors::BadBoolean, 4, 1);
        row("join that does not exist", reportWith({QStringLiteral("<tables><table name=\"A\"/><table name=\"B\"/></tables>"),
                                                    QStringLiteral("<links>"),
                                                    QStringLiteral("<link from=\"A\" to=\"B\" join=\"outer\"><on from=\"x\" to=\"x\"/></link>"),
                                                    QStringLiteral("</links>")}),
            Errors::BadChoice, 5, 1);
        row("field reference without braces",
            reportWith(withClients({QStringLiteral("<sorts>"), QStringLiteral("<sort field=\"Clients.Nom\"/>"),
                                    QStringLiteral("</sorts>")})),
            Errors::BadReference, 7, 1);
        row("two tables with one alias",
            reportWith({QStringLiteral("<tables>"), QStringLiteral("<table name=\"Clients\"/>"),
                        QStringLiteral("<table name=\"Comandes\" alias=\"Clients\"/>"), QStringLiteral("</tables>")}),
            Errors::DuplicateTable, 5, 1);
        row("formula declared twice",
            reportWith({QStringLiteral("<formulas>"), QStringLiteral("<formula name=\"F\">1</formula>"),
                        QStringLiteral("<formula name=\"F\">2</formula>"), QStringLiteral("</formulas>")}),
            Errors::DuplicateFormula, 5, 1);
        row("parameter declared twice",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Any\"/>"),
                        QStringLiteral("<parameter name=\"Any\"/>"), QStringLiteral("</parameters>")}),
            Errors::DuplicateParameter, 5, 1);
        row("running total declared twice",
            reportWith(withClients({QStringLiteral("<runningTotals>"),
                                    QStringLiteral("<runningTotal name=\"R\" operation=\"Count\" field=\"{Clients.Nom}\"/>"),
                                    QStringLiteral("<runningTotal name=\"R\" operation=\"Sum\" field=\"{Clients.Nom}\"/>"),
                                    QStringLiteral("</runningTotals>")})),
            Errors::DuplicateRunningTotal, 8, 1);
        row("section name used twice",
            reportWith({QStringLiteral("<sections>"), QStringLiteral("<details name=\"D\" height=\"5\"/>"),
                        QStringLiteral("<details name=\"D\" height=\"5\"/>"), QStringLiteral("</sections>")}),
            Errors::DuplicateSection, 5, 1);
        row("object name used twice, in another section",
            reportWith({QStringLiteral("<sections>"),
                        QStringLiteral("<pageHeader height=\"5\"><line name=\"L\" left=\"0\" top=\"0\" width=\"5\" height=\"0\"/></pageHeader>"),
                        QStringLiteral("<details height=\"5\">"),
                        QStringLiteral("  <line name=\"L\" left=\"0\" top=\"0\" width=\"5\" height=\"0\"/>"),
                        QStringLiteral("</details>"), QStringLiteral("</sections>")}),
            Errors::DuplicateObject, 6, 3);
        row("link to an undeclared alias",
            reportWith(withClients({QStringLiteral("<links>"),
                                    QStringLiteral("<link from=\"Clients\" to=\"Comandes\"><on from=\"a\" to=\"a\"/></link>"),
                                    QStringLiteral("</links>")})),
            Errors::UnknownTable, 7, 1);
        row("group on an undeclared alias",
            reportWith(withClients({QStringLiteral("<groups>"), QStringLiteral("<group field=\"{Comandes.Estat}\"/>"),
                                    QStringLiteral("</groups>")})),
            Errors::UnknownTable, 7, 1);
        row("field object on an undeclared alias",
            reportWith(withClients({QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                                    QStringLiteral("<field left=\"0\" top=\"0\" width=\"5\" height=\"5\" source=\"{Client.Nom}\"/>"),
                                    QStringLiteral("</details>"), QStringLiteral("</sections>")})),
            Errors::UnknownTable, 8, 1);
        row("undeclared formula",
            reportWith(withClients({QStringLiteral("<sorts>"), QStringLiteral("<sort field=\"{@Import}\"/>"),
                                    QStringLiteral("</sorts>")})),
            Errors::UnknownFormula, 7, 1);
        row("undeclared parameter",
            reportWith({QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                        QStringLiteral("<field left=\"0\" top=\"0\" width=\"5\" height=\"5\" source=\"{?Any}\"/>"),
                        QStringLiteral("</details>"), QStringLiteral("</sections>")}),
            Errors::UnknownParameter, 5, 1);
        row("undeclared running total",
            reportWith({QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                        QStringLiteral("<field left=\"0\" top=\"0\" width=\"5\" height=\"5\" source=\"{#Acumulat}\"/>"),
                        QStringLiteral("</details>"), QStringLiteral("</sections>")}),
            Errors::UnknownRunningTotal, 5, 1);
        row("sorting by a parameter",
            reportWith({QStringLiteral("<parameters><parameter name=\"P\"/></parameters>"), QStringLiteral("<sorts>"),
                        QStringLiteral("<sort field=\"{?P}\"/>"), QStringLiteral("</sorts>")}),
            Errors::WrongReferenceKind, 5, 1);
        row("summing a special field",
            reportWith({QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                        QStringLiteral("<summary left=\"0\" top=\"0\" width=\"5\" height=\"5\" operation=\"Sum\" source=\"PageNumber\" group=\"report\"/>"),
                        QStringLiteral("</details>"), QStringLiteral("</sections>")}),
            Errors::WrongReferenceKind, 5, 1);
        row("group header of a third group when there is one",
            reportWith(withClients({QStringLiteral("<groups><group field=\"{Clients.Pais}\"/></groups>"),
                                    QStringLiteral("<sections>"), QStringLiteral("<groupHeader group=\"3\" height=\"5\"/>"),
                                    QStringLiteral("</sections>")})),
            Errors::GroupOutOfRange, 8, 1);
        row("group numbers start at 1",
            reportWith(withClients({QStringLiteral("<groups><group field=\"{Clients.Pais}\"/></groups>"),
                                    QStringLiteral("<sections>"), QStringLiteral("<groupHeader group=\"0\" height=\"5\"/>"),
                                    QStringLiteral("</sections>")})),
            Errors::GroupOutOfRange, 8, 1);
        row("summary over a field no group has",
            reportWith(withClients({QStringLiteral("<groups><group field=\"{Clients.Pais}\"/></groups>"),
                                    QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                                    QStringLiteral("<summary left=\"0\" top=\"0\" width=\"5\" height=\"5\" operation=\"Count\" source=\"{Clients.Nom}\" group=\"{Clients.Ciutat}\"/>"),
                                    QStringLiteral("</details>"), QStringLiteral("</sections>")})),
            Errors::UnknownGroup, 9, 1);
        row("page header after the details",
            reportWith({QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\"/>"),
                        QStringLiteral("<pageHeader height=\"5\"/>"), QStringLiteral("</sections>")}),
            Errors::SectionOutOfOrder, 5, 1);
        row("inner group header before the outer one",
            reportWith(withClients({QStringLiteral("<groups><group field=\"{Clients.Pais}\"/><group field=\"{Clients.Nom}\"/></groups>"),
                                    QStringLiteral("<sections>"), QStringLiteral("<groupHeader group=\"2\" height=\"5\"/>"),
                                    QStringLiteral("<groupHeader group=\"1\" height=\"5\"/>"), QStringLiteral("</sections>")})),
            Errors::SectionOutOfOrder, 9, 1);
        row("outer group footer before the inner one",
            reportWith(withClients({QStringLiteral("<groups><group field=\"{Clients.Pais}\"/><group field=\"{Clients.Nom}\"/></groups>"),
                                    QStringLiteral("<sections>"), QStringLiteral("<groupFooter group=\"1\" height=\"5\"/>"),
                                    QStringLiteral("<groupFooter group=\"2\" height=\"5\"/>"), QStringLiteral("</sections>")})),
            Errors::SectionOutOfOrder, 9, 1);
        row("formulas before tables",
            reportWith({QStringLiteral("<formulas/>"), QStringLiteral("<tables/>")}), Errors::ElementOutOfPlace, 4, 1);
        row("newer format version", reportWith({}, "<report formatVersion=\"2\">"), Errors::UnsupportedVersion, 2, 1);
        row("no format version", reportWith({}, "<report>"), Errors::MissingAttribute, 2, 1);
        row("text where only elements go", reportWith({QStringLiteral("<tables>Clients</tables>")}),
            Errors::UnexpectedText, 3, 9);
        row("link that joins no fields",
            reportWith({QStringLiteral("<tables><table name=\"A\"/><table name=\"B\"/></tables>"), QStringLiteral("<links>"),
                        QStringLiteral("<link from=\"A\" to=\"B\"/>"), QStringLiteral("</links>")}),
            Errors::MissingElement, 5, 1);
        row("link of a table to itself",
            reportWith({QStringLiteral("<tables><table name=\"A\"/></tables>"), QStringLiteral("<links>"),
                        QStringLiteral("<link from=\"A\" to=\"A\"><on from=\"x\" to=\"y\"/></link>"), QStringLiteral("</links>")}),
            Errors::BadReference, 5, 1);
        row("formula without text",
            reportWith({QStringLiteral("<formulas>"), QStringLiteral("<formula name=\"Buida\">  </formula>"),
                        QStringLiteral("</formulas>")}),
            Errors::EmptyFormula, 4, 1);
        row("name with a brace",
            reportWith({QStringLiteral("<formulas>"), QStringLiteral("<formula name=\"A}B\">1</formula>"),
                        QStringLiteral("</formulas>")}),
            Errors::BadName, 4, 1);
        row("integer parameter with a text default",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Any\" type=\"Integer\" default=\"2025a\"/>"),
                        QStringLiteral("</parameters>")}),
            Errors::BadParameterValue, 4, 1);
        row("several values in a one-value parameter's default",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Any\" type=\"Integer\" range=\"true\" default=\"2024,2025\"/>"),
                        QStringLiteral("</parameters>")}),
            Errors::BadParameterValue, 4, 1);
        row("range without either end",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Any\" type=\"Integer\" range=\"true\" default=\"..\"/>"),
                        QStringLiteral("</parameters>")}),
            Errors::BadParameterValue, 4, 1);
        row("date range with a bad end",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Període\" type=\"Date\" range=\"true\" default=\"2024-01-01..2024-13-01\"/>"),
                        QStringLiteral("</parameters>")}),
            Errors::BadParameterValue, 4, 1);
        row("default outside a closed list",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Pais\" multiple=\"true\" closedList=\"true\" default=\"Espanya,Xina\">"),
                        QStringLiteral("<choice value=\"Espanya\"/><choice value=\"Andorra\"/></parameter>"), QStringLiteral("</parameters>")}),
            Errors::BadParameterValue, 4, 1);
        row("closed list without values",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Pais\" closedList=\"true\"/>"),
                        QStringLiteral("</parameters>")}),
            Errors::MissingElement, 4, 1);
        row("choice that is not of the parameter's type",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Any\" type=\"Integer\">"),
                        QStringLiteral("<choice value=\"dos mil\"/></parameter>"), QStringLiteral("</parameters>")}),
            Errors::BadParameterValue, 5, 1);
        row("list from a table not declared",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Pais\" valuesFrom=\"{Clients.Pais}\"/>"),
                        QStringLiteral("</parameters>")}),
            Errors::UnknownTable, 4, 1);
        row("unknown child of a parameter",
            reportWith({QStringLiteral("<parameters>"), QStringLiteral("<parameter name=\"Pais\"><value v=\"x\"/></parameter>"),
                        QStringLiteral("</parameters>")}),
            Errors::UnknownElement, 4, 24);
        row("margins wider than the paper",
            reportWith({QStringLiteral("<page paper=\"A4\" marginLeft=\"6000\" marginRight=\"6000\"/>")}),
            Errors::BadGeometry, 3, 1);
        row("picture file that is not there",
            reportWith({QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                        QStringLiteral("<picture left=\"0\" top=\"0\" width=\"5\" height=\"5\" file=\"no-hi-es.png\"/>"),
                        QStringLiteral("</details>"), QStringLiteral("</sections>")}),
            Errors::PictureFileMissing, 5, 1);
        row("inline picture that is not base64",
            reportWith({QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                        QStringLiteral("<picture left=\"0\" top=\"0\" width=\"5\" height=\"5\">"),
                        QStringLiteral("<data>això no és base64</data>"), QStringLiteral("</picture>"),
                        QStringLiteral("</details>"), QStringLiteral("</sections>")}),
            Errors::BadPicture, 6, 1);
        row("picture without a source",
            reportWith({QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                        QStringLiteral("<picture left=\"0\" top=\"0\" width=\"5\" height=\"5\"/>"),
                        QStringLiteral("</details>"), QStringLiteral("</sections>")}),
            Errors::PictureSource, 5, 1);
        row("subreport link to a table of the main report only",
            reportWith(withClients({QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                                    QStringLiteral("<subreport left=\"0\" top=\"0\" width=\"5\" height=\"5\">"),
                                    QStringLiteral("<report><tables><table name=\"Comandes\"/></tables></report>"),
                                    QStringLiteral("<link main=\"{Clients.IdClient}\" sub=\"{Clients.IdClient}\"/>"),
                                    QStringLiteral("</subreport>"), QStringLiteral("</details>"), QStringLiteral("</sections>")})),
            Errors::UnknownTable, 10, 1);
        const auto rankedGroup = [](const QString &rank) {
            return reportWith(withClients({QStringLiteral("<groups>"), QStringLiteral("<group field=\"{Clients.Pais}\">"),
                                           rank, QStringLiteral("</group>"), QStringLiteral("</groups>")}));
        };
        row("percentile above 100", rankedGroup(QStringLiteral("<rank operation=\"Percentile\" source=\"{Clients.LimitCredit}\" argument=\"120\"/>")),
            Errors::BadNumber, 8, 1);
        row("N-th largest without its N", rankedGroup(QStringLiteral("<rank operation=\"NthLargest\" source=\"{Clients.LimitCredit}\"/>")),
            Errors::MissingAttribute, 8, 1);
        row("an argument the operation does not take", rankedGroup(QStringLiteral("<rank operation=\"Sum\" source=\"{Clients.LimitCredit}\" argument=\"3\"/>")),
            Errors::UnknownAttribute, 8, 1);
        row("weighted average without its weight", rankedGroup(QStringLiteral("<rank operation=\"WeightedAverage\" source=\"{Clients.LimitCredit}\"/>")),
            Errors::MissingAttribute, 8, 1);
        row("negative number of groups kept", rankedGroup(QStringLiteral("<rank operation=\"Sum\" source=\"{Clients.LimitCredit}\" keep=\"-1\"/>")),
            Errors::BadNumber, 8, 1);
        row("groups kept by a parameter not declared", rankedGroup(QStringLiteral("<rank operation=\"Sum\" source=\"{Clients.LimitCredit}\" keep=\"{?N}\"/>")),
            Errors::UnknownParameter, 8, 1);
        row("the rest gathered with no count kept", rankedGroup(QStringLiteral("<rank operation=\"Sum\" source=\"{Clients.LimitCredit}\" rest=\"gather\"/>")),
            Errors::BadSummaryOption, 8, 1);
        row("the rest neither left out nor gathered", rankedGroup(QStringLiteral("<rank operation=\"Sum\" source=\"{Clients.LimitCredit}\" keep=\"3\" rest=\"all\"/>")),
            Errors::BadChoice, 8, 1);
        row("a group ranked twice", reportWith(withClients({QStringLiteral("<groups>"), QStringLiteral("<group field=\"{Clients.Pais}\">"),
                                                           QStringLiteral("<rank operation=\"Sum\" source=\"{Clients.LimitCredit}\"/>"),
                                                           QStringLiteral("<rank operation=\"Count\" source=\"{Clients.LimitCredit}\"/>"),
                                                           QStringLiteral("</group>"), QStringLiteral("</groups>")})),
            Errors::ElementOutOfPlace, 9, 1);
        row("a share of the summary's own group",
            reportWith(withClients({QStringLiteral("<groups>"), QStringLiteral("<group field=\"{Clients.Pais}\"/>"),
                                    QStringLiteral("</groups>"), QStringLiteral("<sections>"), QStringLiteral("<details height=\"5\">"),
                                    QStringLiteral("<summary left=\"0\" top=\"0\" width=\"5\" height=\"5\" operation=\"Sum\" "
                                                   "source=\"{Clients.LimitCredit}\" group=\"1\" percentOf=\"1\"/>"),
                                    QStringLiteral("</details>"), QStringLiteral("</sections>")})),
            Errors::BadSummaryOption, 11, 1);
        row("a running median", reportWith(withClients({QStringLiteral("<runningTotals>"),
                                                        QStringLiteral("<runningTotal name=\"M\" operation=\"Median\" field=\"{Clients.LimitCredit}\"/>"),
                                                        QStringLiteral("</runningTotals>")})),
            Errors::BadSummaryOption, 7, 1);
        row("unclosed element", "<?xml version=\"1.0\"?>\n<report formatVersion=\"1\">\n<tables>\n</report>\n",
            Errors::MalformedXml, 4, 10);
        row("root that is not a report", "<?xml version=\"1.0\"?>\n<html><body/></html>\n", Errors::NotAReport, 2, 1);
        row("encoding other than UTF-8", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<report formatVersion=\"1\"/>\n",
            Errors::UnsupportedEncoding, 1, 1);
    }
    void brokenReportIsRefusedAtItsPlace()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, number);
        QFETCH(int, line);
        QFETCH(int, column);
        try {
            readReportText(text, QDir::tempPath(), QStringLiteral("prova.rpt"));
            QFAIL("the broken report was read");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), number);
            const QString where = QStringLiteral("«prova.rpt», línia %1, columna %2: ").arg(line).arg(column);
            QVERIFY2(failure.description().contains(where), qPrintable(failure.description()));
        }
    }

    void subreportsNestOnlyFourDeep_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("four levels, the most allowed") << 4 << true;
        QTest::newRow("five levels, refused before the stack is at risk") << 5 << false;
    }
    void subreportsNestOnlyFourDeep()
    {
        QFETCH(int, depth);
        QFETCH(bool, accepted);
        const QByteArray open = "<sections><details height=\"9\"><subreport left=\"0\" top=\"0\" width=\"9\" height=\"9\"><report>";
        const QByteArray close = "</report></subreport></details></sections>";
        const QByteArray text = "<report formatVersion=\"1\">" + open.repeated(depth) + close.repeated(depth) + "</report>";
        try {
            readReportText(text, QString());
            QVERIFY(accepted);
        } catch (const Failure &failure) {
            QVERIFY(!accepted);
            QCOMPARE(failure.number(), Errors::NestingTooDeep);
        }
    }

    void foreignFileIsNamedForWhatItIs_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("number");
        QTest::newRow("empty file") << QByteArray() << Errors::EmptyFile;
        QTest::newRow("only blank lines") << QByteArray("\n\n  \n") << Errors::EmptyFile;
        QTest::newRow("binary report or old office document (compound file)")
            << QByteArray::fromHex("D0CF11E0A1B11AE1000000000000000000000000") << Errors::CompoundDocument;
        QTest::newRow("docx or xlsx (zip)") << QByteArray("PK\x03\x04\x14\x00\x06\x00", 8) << Errors::ZipArchive;
        QTest::newRow("PDF") << QByteArray("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n") << Errors::PdfDocument;
        QTest::newRow("random bytes with a zero") << QByteArray::fromHex("8A0017FFC3281B00") << Errors::BinaryData;
        QTest::newRow("bytes that are not UTF-8") << QByteArray("<report \xFF\xFE\xFD>") << Errors::BinaryData;
        QTest::newRow("UTF-16 text") << QByteArray("\xFF\xFE<\0r\0", 6) << Errors::UnsupportedEncoding;
        QTest::newRow("plain text") << QByteArray("Informe de vendes\nper país\n") << Errors::NotXml;
        QTest::newRow("entities that expand a billion times")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE report [\n<!ENTITY a \"aaaaaaaaaa\">\n"
                          "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
                          "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">\n"
                          "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">\n"
                          "<!ENTITY h \"&g;&g;&g;&g;&g;&g;&g;&g;&g;&g;\"><!ENTITY i \"&h;&h;&h;&h;&h;&h;&h;&h;&h;&h;\">\n"
                          "]>\n<report formatVersion=\"1\" title=\"&i;\"/>\n")
            << Errors::MalformedXml;
        QTest::newRow("comma-separated values") << QByteArray("IdClient,Nom\n1,Anna\n") << Errors::NotXml;
    }
    void foreignFileIsNamedForWhatItIs()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        try {
            readReportText(bytes, QString());
            QFAIL("the foreign file was read as a report");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), number);
            QVERIFY(!failure.description().isEmpty());
        }
    }

    void fileProblemsAreReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("missing file") << "no-existeix.rpt" << Errors::FileNotFound;
        QTest::newRow("a folder") << "carpeta.rpt" << Errors::FileUnreadable;
        QTest::newRow("33 MB file, refused before reading") << "enorme.rpt" << Errors::FileTooLarge;
    }
    void fileProblemsAreReported()
    {
        QFETCH(QString, name);
        QFETCH(int, number);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("carpeta.rpt")));
        QFile huge(dir.filePath(QStringLiteral("enorme.rpt")));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(33 * 1024 * 1024)); // sparse: costs no disk
        huge.close();
        try {
            readReportFile(dir.filePath(name));
            QFAIL("the file was read");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), number);
            QVERIFY(failure.description().contains(name));
        }
    }

    void damagedCopiesNeverCrashTheReader()
    {
        QFile source(sourcePath(QStringLiteral("examples/comandes-amb-linies.rpt")));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray original = source.readAll();
        QRandomGenerator random(20250101);
        int refused = 0;
        for (int attempt = 0; attempt < 300; ++attempt) {
            QByteArray damaged = original;
            for (int change = 0; change < 3; ++change)
                damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
            try {
                readReportText(damaged, sourcePath(QStringLiteral("examples")));
            } catch (const Failure &failure) {
                QVERIFY(failure.number() > 2000 && failure.number() < 3000);
                ++refused;
            }
        }
        QVERIFY(refused > 0);
    }
};

QTEST_GUILESS_MAIN(ReportReaderTest)
#include "test_report_reader.moc"
