#include "engine/core/Failure.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/ReportReader.h"

#include <QDir>
#include <QtTest>

using namespace velmora;
namespace Errors = velmora::DefinitionErrors;

namespace {

/// A report of one details section holding `objects`, with a clients table;
/// the section's element starts on line 4 and its first child on line 5.
QByteArray reportWithDetails(const QStringList &children)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<report formatVersion=\"1\">\n"
           "<tables><table name=\"Clients\" alias=\"C\"/></tables><sections>\n<details height=\"300\">\n"
        + children.join(u'\n').toUtf8() + "\n</details></sections>\n</report>\n";
}

const QString field = QStringLiteral("<field left=\"0\" top=\"0\" width=\"900\" height=\"300\" source=\"{C.Nom}\"");

} // namespace

class FormattingReaderTest : public QObject {
    Q_OBJECT
private slots:
    void formulasAreReadWithTheirPlace()
    {
        const QByteArray text = reportWithDetails({
            QStringLiteral("<property name=\"background\">\"gris\"</property>"),
            field + QStringLiteral(" link=\"https://exemple.cat\">"),
            QStringLiteral("  <suppressWhen>false</suppressWhen>"),
            QStringLiteral("  <property name=\"color\">  if ObjectValue = \"\" then \"red\" else DesignValue</property>"),
            QStringLiteral("  <property name=\"link\">\"mailto:a@b.cat\"</property>"),
            QStringLiteral("</field>"),
            QStringLiteral("<box left=\"0\" top=\"0\" width=\"900\" height=\"300\"><property name=\"lineWidth\">40</property></box>"),
        });
        const ReportDefinition report = readReportText(text, QDir::tempPath(), QStringLiteral("prova.rpt"));
        const SectionDefinition &details = report.sections.at(0);
        QCOMPARE(details.propertyFormulas.size(), size_t(1));
        QCOMPARE(details.propertyFormulas[0].property, FormattedProperty::Background);
        const ReportObject &object = details.objects.at(0);
        QCOMPARE(object.link, QStringLiteral("https://exemple.cat"));
        QCOMPARE(object.propertyFormulas.size(), size_t(2));
        const PropertyFormula &colour = object.propertyFormulas[0];
        QCOMPARE(colour.property, FormattedProperty::Color);
        QCOMPARE(colour.text, QStringLiteral("if ObjectValue = \"\" then \"red\" else DesignValue"));
        QCOMPARE(colour.line, 8);
        QCOMPARE(colour.column, 28);
        QCOMPARE(details.objects.at(1).propertyFormulas.at(0).property, FormattedProperty::LineWidth);
    }

    void badFormulasAreRefusedAtTheirPlace_data()
    {
        QTest::addColumn<QStringList>("children");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("line");
        const QString end = QStringLiteral("</field>");
        QTest::newRow("a property nobody has") << QStringList{field + u'>', QStringLiteral("<property name=\"colour\">1</property>"), end}
                                              << Errors::UnknownProperty << 6;
        QTest::newRow("a text's property on a line")
            << QStringList{QStringLiteral("<line left=\"0\" top=\"0\" width=\"9\" height=\"0\">"),
                           QStringLiteral("<property name=\"bold\">true</property></line>")}
            << Errors::UnknownProperty << 6;
        QTest::newRow("a section has only its background")
            << QStringList{QStringLiteral("<property name=\"color\">\"red\"</property>")} << Errors::UnknownProperty << 5;
        QTest::newRow("a subreport has none")
            << QStringList{QStringLiteral("<subreport left=\"0\" top=\"0\" width=\"9\" height=\"9\">"),
                           QStringLiteral("<property name=\"background\">\"red\"</property></subreport>")}
            << Errors::UnknownProperty << 6;
        QTest::newRow("one property twice")
            << QStringList{field + u'>', QStringLiteral("<property name=\"bold\">true</property>"),
                           QStringLiteral("<property name=\"bold\">false</property>"), end}
            << Errors::RepeatedProperty << 7;
        QTest::newRow("a formula without text")
            << QStringList{field + u'>', QStringLiteral("<property name=\"bold\">  </property>"), end}
            << Errors::EmptyFormula << 6;
        QTest::newRow("a property without its name")
            << QStringList{field + u'>', QStringLiteral("<property>true</property>"), end} << Errors::MissingAttribute << 6;
        QTest::newRow("the suppression after a property")
            << QStringList{field + u'>', QStringLiteral("<property name=\"bold\">true</property>"),
                           QStringLiteral("<suppressWhen>true</suppressWhen>"), end}
            << Errors::ElementOutOfPlace << 7;
        QTest::newRow("a link on a line") << QStringList{QStringLiteral("<line left=\"0\" top=\"0\" width=\"9\" height=\"0\" link=\"https://a.cat\"/>")}
                                          << Errors::UnknownAttribute << 5;
    }
    void badFormulasAreRefusedAtTheirPlace()
    {
        QFETCH(QStringList, children);
        QFETCH(int, number);
        QFETCH(int, line);
        try {
            readReportText(reportWithDetails(children), QDir::tempPath(), QStringLiteral("prova.rpt"));
            QFAIL("the report was read");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), number);
            QVERIFY2(failure.description().contains(QStringLiteral("línia %1,").arg(line)),
                     qPrintable(failure.description()));
        }
    }
};

QTEST_GUILESS_MAIN(FormattingReaderTest)
#include "test_formatting_reader.moc"
