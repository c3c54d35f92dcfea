// The <crossTab> element: read, checked with numbered errors, and written
// back so that every setting survives the round trip.

#include "engine/core/Failure.h"
#include "engine/definition/CrossTabDefinition.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/ReportReader.h"
#include "engine/definition/ReportWriter.h"

#include "../support/TestData.h"

#include <QtTest>

using namespace velmora;
using namespace Qt::StringLiterals;

namespace {

/// A report with `objects` in a section of `section` kind (a group's, when
/// it takes one).
QByteArray reportWith(const QString &objects, const QString &section = u"reportFooter"_s)
{
    const QString group = section.startsWith(u"group"_s) ? u" group=\"1\""_s : QString();
    return (uR"(<?xml version="1.0" encoding="UTF-8"?>
<report formatVersion="1" title="Prova">
  <tables><table name="Comandes"/><table name="Venedors"/></tables>
  <formulas><formula name="Any">Year({Comandes.DataComanda})</formula></formulas>
  <groups><group field="{Venedors.Oficina}"/></groups>
  <sections>
    <%1 name="S" height="500"%2>%3</%1>
  </sections>
</report>)"_s.arg(section, group, objects))
        .toUtf8();
}

const QString plainCrossTab = uR"(<crossTab name="T" left="0" top="0" width="9000" height="400">
  <row field="{Venedors.Nom}"/><column field="{@Any}"/><cell operation="Count" source="{Comandes.IdComanda}"/>
</crossTab>)"_s;

const CrossTabDefinition &crossTabOf(const ReportDefinition &report)
{
    return *report.sections.front().objects.front().crossTab;
}

} // namespace

class CrossTabFormatTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsOfAPlainCrossTab()
    {
        const ReportDefinition report = readReportText(reportWith(plainCrossTab), QString());
        const ReportObject &object = report.sections.front().objects.front();
        QCOMPARE(object.kind, ReportObject::Kind::CrossTab);
        const CrossTabDefinition &ct = *object.crossTab;
        QCOMPARE(ct.rows.size(), size_t(1));
        QCOMPARE(ct.rows[0].field.toText(), u"{Venedors.Nom}"_s);
        QCOMPARE(ct.columns[0].field.toText(), u"{@Any}"_s);
        QCOMPARE(ct.summaries[0].summary.operation, SummaryOperation::Count);
        QCOMPARE(ct.summaries[0].label, u"Count"_s);
        QVERIFY(ct.rowTotals && ct.columnTotals && ct.gridLines);
        QVERIFY(!ct.columnWidth && !ct.rowHeadingWidth);
        QCOMPARE(ct.nullLabel, u"(sense valor)"_s);
    }

    void everySettingSurvivesTheRoundTrip()
    {
        const QString full = uR"x(<crossTab name="T" left="10" top="20" width="9000" height="400" rowTotals="false"
            columnTotals="false" nullLabel="(cap)" totalLabel="Suma" columnWidth="1200" rowHeadingWidth="fit"
            grid="false" gridColor="#102030" gridWidth="15">
  <row field="{Venedors.Oficina}" order="totalDescending" top="3" gatherRest="false" restName="Resta" subtotals="false"/>
  <row field="{Venedors.Nom}" format="" order="descending"/>
  <column field="{@Any}" format="0" top="2"/>
  <column field="{Comandes.Estat}" order="totalAscending"/>
  <cell operation="Sum" source="{Comandes.IdClient}" format="#,##0" label="Clients"/>
  <cell operation="Percentile" source="{Comandes.IdComanda}" argument="90"/>
  <cell operation="WeightedAverage" source="{Comandes.IdComanda}" weight="{Comandes.IdClient}"/>
  <headingStyle font="Verdana" size="8" bold="true" italic="true" color="#FFFFFF" background="#1F4E79"/>
  <cellStyle underline="true"><property name="background">if ObjectValue &gt; 100 then "#C6EFCE" else DesignValue</property></cellStyle>
  <totalStyle bold="true" background="#EEEEEE">
    <property name="background">if ObjectValue &lt; 0 then "red" else ""</property>
  </totalStyle>
</crossTab>)x"_s;
        for (const QString &section : {u"reportHeader"_s, u"groupFooter"_s}) {
            const ReportDefinition first = readReportText(reportWith(full, section), QString());
            const QByteArray written = writeReportText(first);
            const ReportDefinition again = readReportText(written, QString());
            QVERIFY(again == first);
            QCOMPARE(writeReportText(again), written);
            const CrossTabDefinition &ct = crossTabOf(again);
            QCOMPARE(ct.rows[0].top, std::optional<int>(3));
            QVERIFY(!ct.rows[0].gatherRest);
            QCOMPARE(ct.columns[1].order, CrossTabOrder::TotalAscending);
            QCOMPARE(ct.summaries[1].summary.argument, 90.0);
            QCOMPARE(ct.columnWidth, std::optional<Twips>(1200));
            QCOMPARE(ct.headingStyle.font.family, u"Verdana"_s);
            QCOMPARE(ct.totalStyle.background, std::optional<QRgb>(qRgb(0xEE, 0xEE, 0xEE)));
            QCOMPARE(ct.cellStyle.propertyFormulas.size(), size_t(1));
            QCOMPARE(ct.cellStyle.propertyFormulas[0].property, FormattedProperty::Background);
            QCOMPARE(ct.cellStyle.propertyFormulas[0].text,
                     u"if ObjectValue > 100 then \"#C6EFCE\" else DesignValue"_s);
            QCOMPARE(ct.totalStyle.propertyFormulas[0].text, u"if ObjectValue < 0 then \"red\" else \"\""_s);
            QVERIFY(ct.headingStyle.propertyFormulas.empty());
        }
    }

    void theBundledSamplesRoundTrip()
    {
        for (const QString &name : {u"vendes-pais-any.rpt"_s, u"comandes-venedor-estat.rpt"_s}) {
            const ReportDefinition read = readReportFile(testing::sourcePath(u"examples/"_s + name));
            QVERIFY(read == readReportText(writeReportText(read), QString()));
        }
    }

    void aRefusedStylePropertyNamesTheOneAllowed()
    {
        QString ct = plainCrossTab;
        ct.replace(u"</crossTab>"_s, u"<cellStyle><property name=\"bold\">true</property></cellStyle></crossTab>"_s);
        try {
            readReportText(reportWith(ct), QString());
            QFAIL("the report was accepted");
        } catch (const Failure &failure) {
            QVERIFY2(failure.description().contains(u"<cellStyle>"_s)
                         && failure.description().contains(u"són: background."_s),
                     qPrintable(failure.description()));
        }
    }

    void badCrossTabs_data()
    {
        QTest::addColumn<QString>("objects");
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("number");
        using namespace DefinitionErrors;
        QTest::newRow("in the details") << plainCrossTab << u"details"_s << int(CrossTabPlacement);
        QTest::newRow("in a page header") << plainCrossTab << u"pageHeader"_s << int(CrossTabPlacement);
        QString noRows = plainCrossTab;
        noRows.remove(u"<row field=\"{Venedors.Nom}\"/>"_s);
        QTest::newRow("no rows") << noRows << u"reportFooter"_s << int(CrossTabShape);
        QString threeColumns = plainCrossTab;
        threeColumns.replace(u"<column field=\"{@Any}\"/>"_s, u"<column field=\"{@Any}\"/><column field=\"{@Any}\"/>"
                                                              u"<column field=\"{@Any}\"/>"_s);
        QTest::newRow("three columns") << threeColumns << u"groupHeader"_s << int(CrossTabShape);
        QString fourCells = plainCrossTab;
        const QString cell = u"<cell operation=\"Count\" source=\"{Comandes.IdComanda}\"/>"_s;
        fourCells.replace(cell, cell + cell + cell + cell);
        QTest::newRow("four cells") << fourCells << u"reportFooter"_s << int(CrossTabShape);
        QString twoStyles = plainCrossTab;
        twoStyles.replace(u"</crossTab>"_s, u"<cellStyle/><cellStyle bold=\"true\"/></crossTab>"_s);
        QTest::newRow("a style twice") << twoStyles << u"reportFooter"_s << int(CrossTabRepeatedStyle);
        QString badOrder = plainCrossTab;
        badOrder.replace(u"<row field=\"{Venedors.Nom}\"/>"_s, u"<row field=\"{Venedors.Nom}\" order=\"byTotal\"/>"_s);
        QTest::newRow("an unknown order") << badOrder << u"reportFooter"_s << int(BadChoice);
        QString badWidth = plainCrossTab;
        badWidth.replace(u"height=\"400\""_s, u"height=\"400\" columnWidth=\"wide\""_s);
        QTest::newRow("a width that is no number") << badWidth << u"reportFooter"_s << int(BadNumber);
        QString zeroTop = plainCrossTab;
        zeroTop.replace(u"<column field=\"{@Any}\"/>"_s, u"<column field=\"{@Any}\" top=\"0\"/>"_s);
        QTest::newRow("top 0") << zeroTop << u"reportFooter"_s << int(BadNumber);
        QString parameterRow = plainCrossTab;
        parameterRow.replace(u"{Venedors.Nom}"_s, u"{?Nom}"_s);
        QTest::newRow("a row by a parameter") << parameterRow << u"reportFooter"_s << int(WrongReferenceKind);
        const auto withStyle = [](const QString &style) {
            QString ct = plainCrossTab;
            return ct.replace(u"</crossTab>"_s, style + u"</crossTab>"_s);
        };
        const QString green = u"<property name=\"background\">\"green\"</property>"_s;
        QTest::newRow("a cell colour by formula") << withStyle(u"<cellStyle><property name=\"color\">\"red\"</property></cellStyle>"_s)
                                                  << u"reportFooter"_s << int(UnknownProperty);
        QTest::newRow("an unknown property of totals")
            << withStyle(u"<totalStyle><property name=\"shade\">\"red\"</property></totalStyle>"_s)
            << u"reportFooter"_s << int(UnknownProperty);
        QTest::newRow("a heading background by formula") << withStyle(u"<headingStyle>"_s + green + u"</headingStyle>"_s)
                                                         << u"reportFooter"_s << int(UnknownProperty);
        QTest::newRow("a background formula twice") << withStyle(u"<cellStyle>"_s + green + green + u"</cellStyle>"_s)
                                                    << u"reportFooter"_s << int(RepeatedProperty);
        QTest::newRow("an empty background formula")
            << withStyle(u"<totalStyle><property name=\"background\"> </property></totalStyle>"_s)
            << u"reportFooter"_s << int(EmptyFormula);
        QTest::newRow("a style holding another element")
            << withStyle(u"<cellStyle><row field=\"{@Any}\"/></cellStyle>"_s) << u"reportFooter"_s
            << int(UnknownElement);
        QString unknownChild = plainCrossTab;
        unknownChild.replace(u"</crossTab>"_s, u"<link main=\"{@Any}\" sub=\"{@Any}\"/></crossTab>"_s);
        QTest::newRow("a child it does not take") << unknownChild << u"reportFooter"_s << int(ElementOutOfPlace);
    }
    void badCrossTabs()
    {
        QFETCH(QString, objects);
        QFETCH(QString, section);
        QFETCH(int, number);
        try {
            readReportText(reportWith(objects, section), QString());
            QFAIL("the report was accepted");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), number);
            QVERIFY(!failure.description().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(CrossTabFormatTest)
#include "test_crosstab_format.moc"
