// The <chart> element: read strictly, refused with its own numbers where it
// does not fit its section or its data, and written back unchanged.

#include "engine/core/Failure.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/ReportReader.h"
#include "engine/definition/ReportWriter.h"
#include "../support/TestData.h"

#include <QDir>
#include <QtTest>

using namespace velmora;
namespace Errors = velmora::DefinitionErrors;

namespace {

/// A report grouped by country and client, with `section` holding `chart`.
QByteArray reportWithChart(const QString &chart, const QString &section = QStringLiteral("reportHeader"),
                           const QString &group = QString())
{
    const QString groupAttribute = group.isEmpty() ? QString() : QStringLiteral(" group=\"%1\"").arg(group);
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<report formatVersion=\"1\">\n"
               "<tables><table name=\"Clients\"/><table name=\"Comandes\"/></tables>\n"
               "<formulas><formula name=\"Import\">{Comandes.Import}</formula></formulas>\n"
               "<groups><group field=\"{Clients.Pais}\"/><group field=\"{Clients.Nom}\"/></groups>\n"
               "<sections>\n"
               "<%1 height=\"4000\"%2>\n"
               "%3\n"
               "</%1>\n"
               "</sections>\n"
               "</report>\n")
        .arg(section, groupAttribute, chart)
        .toUtf8();
}

const ReportObject &onlyObject(const ReportDefinition &report)
{
    return report.sections.front().objects.front();
}

} // namespace

class ChartDefinitionTest : public QObject {
    Q_OBJECT

private slots:
    void chartOfGroupsIsRead()
    {
        const ReportDefinition report = readReportText(reportWithChart(QStringLiteral(
            "<chart name=\"Vendes\" left=\"0\" top=\"100\" width=\"9000\" height=\"3500\" type=\"bar\" "
            "direction=\"horizontal\" stacking=\"percent\" group=\"1\" title=\"Vendes per país\" legend=\"bottom\" "
            "valueLabels=\"true\" format=\"#,##0\" palette=\"#112233 #445566\" size=\"7.5\" background=\"#FAFAFA\">"
            "<series operation=\"Sum\" source=\"{@Import}\" name=\"Vendes\" color=\"#1F4E79\"/>"
            "<series operation=\"Percentile\" argument=\"90\" source=\"{Comandes.Import}\"/>"
            "</chart>")), QString());
        const ReportObject &object = onlyObject(report);
        QCOMPARE(object.kind, ReportObject::Kind::Chart);
        QCOMPARE(int(object.kind), 8);
        QVERIFY(object.chart);
        const ChartDefinition &chart = *object.chart;
        QCOMPARE(chart.direction, BarDirection::Horizontal);
        QCOMPARE(chart.stacking, BarStacking::Percent);
        QCOMPARE(chart.categoryLevel, 0);
        QCOMPARE(chart.legend, LegendPlace::Bottom);
        QCOMPARE(chart.palette, (std::vector<QRgb>{qRgb(0x11, 0x22, 0x33), qRgb(0x44, 0x55, 0x66)}));
        QCOMPARE(chart.font.pointSize, 7.5);
        QCOMPARE(chart.series.size(), size_t(2));
        QCOMPARE(chart.series[0].value->groupLevel, 0); // a summary of each category's group
        QCOMPARE(chart.series[1].value->operation, SummaryOperation::Percentile);
        QCOMPARE(chart.series[1].value->argument, 90.0);
        QCOMPARE(*chart.series[0].color, qRgb(0x1F, 0x4E, 0x79));
        QCOMPARE(*object.format.background, qRgb(0xFA, 0xFA, 0xFA));
    }

    void pairsAndRecordsAreRead()
    {
        const ReportDefinition pairs = readReportText(reportWithChart(QStringLiteral(
            "<chart left=\"0\" top=\"0\" width=\"9000\" height=\"3500\" data=\"groupPairs\" group=\"1\" stacking=\"stacked\">"
            "<series operation=\"Count\" source=\"{@Import}\"/></chart>")), QString());
        QCOMPARE(onlyObject(pairs).chart->series[0].value->groupLevel, 1); // over the next level
        QCOMPARE(onlyObject(pairs).name, QStringLiteral("Chart1"));
        const ReportDefinition records = readReportText(reportWithChart(QStringLiteral(
            "<chart left=\"0\" top=\"0\" width=\"9000\" height=\"3500\" type=\"line\" markers=\"false\" data=\"records\" "
            "x=\"{Comandes.Data}\" maxPoints=\"50\"><series source=\"{@Import}\"/></chart>"), QStringLiteral("groupFooter"),
            QStringLiteral("2")), QString());
        const ChartDefinition &chart = *onlyObject(records).chart;
        QCOMPARE(chart.data, ChartData::Records);
        QCOMPARE(chart.xField->name, QStringLiteral("Data"));
        QCOMPARE(chart.maximumPoints, 50);
        QVERIFY(!chart.markers);
        QCOMPARE(chart.series[0].value->kind, FieldRef::Kind::Formula);
    }

    void badChartIsRefusedWithItsNumber_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("number");
        const QString place = QStringLiteral("left=\"0\" top=\"0\" width=\"9000\" height=\"3000\" ");
        const QString sum = QStringLiteral("<series operation=\"Sum\" source=\"{@Import}\"/>");
        const auto chart = [&](const QString &attributes, const QString &children) {
            return QStringLiteral("<chart %1%2>%3</chart>").arg(place, attributes, children);
        };
        QTest::newRow("in the details") << reportWithChart(chart(QStringLiteral("group=\"1\""), sum), QStringLiteral("details"))
                                        << Errors::ChartPlace;
        QTest::newRow("in a page header") << reportWithChart(chart(QStringLiteral("group=\"1\""), sum), QStringLiteral("pageHeader"))
                                          << Errors::ChartPlace;
        QTest::newRow("categories outside its group")
            << reportWithChart(chart(QStringLiteral("group=\"1\""), sum), QStringLiteral("groupHeader"), QStringLiteral("1"))
            << Errors::ChartCategories;
        QTest::newRow("pairs with no next group")
            << reportWithChart(chart(QStringLiteral("data=\"groupPairs\" group=\"2\""), sum)) << Errors::ChartCategories;
        QTest::newRow("no series") << reportWithChart(chart(QStringLiteral("group=\"1\""), QString()))
                                   << Errors::ChartSeriesCount;
        QTest::newRow("a pie of two series")
            << reportWithChart(chart(QStringLiteral("type=\"pie\" group=\"1\""), sum + sum)) << Errors::ChartSeriesCount;
        QTest::newRow("pairs with two series")
            << reportWithChart(chart(QStringLiteral("data=\"groupPairs\" group=\"1\""), sum + sum)) << Errors::ChartSeriesCount;
        QTest::newRow("records with an operation")
            << reportWithChart(chart(QStringLiteral("data=\"records\" x=\"{Comandes.Data}\""), sum))
            << Errors::ChartSeriesKind;
        QTest::newRow("groups without an operation")
            << reportWithChart(chart(QStringLiteral("group=\"1\""), QStringLiteral("<series source=\"{@Import}\"/>")))
            << Errors::ChartSeriesKind;
        QTest::newRow("records named by group")
            << reportWithChart(chart(QStringLiteral("data=\"records\" group=\"1\" x=\"{Comandes.Data}\""), sum))
            << Errors::ChartSeriesKind;
        QTest::newRow("records without x")
            << reportWithChart(chart(QStringLiteral("data=\"records\""), QStringLiteral("<series source=\"{@Import}\"/>")))
            << Errors::MissingAttribute;
        QTest::newRow("a palette word that is no colour")
            << reportWithChart(chart(QStringLiteral("group=\"1\" palette=\"#112233 vermell\""), sum)) << Errors::ChartPalette;
        QTest::newRow("an empty palette")
            << reportWithChart(chart(QStringLiteral("group=\"1\" palette=\"  \""), sum)) << Errors::ChartPalette;
        QTest::newRow("stacking on a line")
            << reportWithChart(chart(QStringLiteral("type=\"line\" stacking=\"stacked\" group=\"1\""), sum))
            << Errors::ChartOptionNotApplicable;
        QTest::newRow("axis title on a pie")
            << reportWithChart(chart(QStringLiteral("type=\"pie\" valueTitle=\"€\" group=\"1\""), sum))
            << Errors::ChartOptionNotApplicable;
        QTest::newRow("unknown kind") << reportWithChart(chart(QStringLiteral("type=\"radar\" group=\"1\""), sum))
                                      << Errors::BadChoice;
        QTest::newRow("too many points")
            << reportWithChart(chart(QStringLiteral("data=\"records\" x=\"{Comandes.Data}\" maxPoints=\"100000\""),
                                     QStringLiteral("<series source=\"{@Import}\"/>")))
            << Errors::BadNumber;
        QTest::newRow("series of an unknown field")
            << reportWithChart(chart(QStringLiteral("group=\"1\""), QStringLiteral("<series operation=\"Sum\" source=\"{@Res}\"/>")))
            << Errors::UnknownFormula;
        QTest::newRow("a series elsewhere")
            << reportWithChart(QStringLiteral("<text %1text=\"x\"><series operation=\"Sum\" source=\"{@Import}\"/></text>").arg(place))
            << Errors::ElementOutOfPlace;
        QTest::newRow("misspelt series attribute")
            << reportWithChart(chart(QStringLiteral("group=\"1\""), QStringLiteral("<series operation=\"Sum\" source=\"{@Import}\" colour=\"#000000\"/>")))
            << Errors::UnknownAttribute;
    }

    void badChartIsRefusedWithItsNumber()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, number);
        try {
            readReportText(text, QDir::tempPath(), QStringLiteral("prova.rpt"));
            QFAIL("the chart was read");
        } catch (const Failure &failure) {
            QVERIFY2(failure.number() == number, qPrintable(failure.description()));
            QVERIFY(failure.description().contains(QStringLiteral("«prova.rpt», línia")));
        }
    }

    void chartsSurviveWritingAndReading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("every option away from its default") << reportWithChart(QStringLiteral(
            "<chart name=\"G\" left=\"10\" top=\"20\" width=\"9000\" height=\"3500\" type=\"bar\" direction=\"horizontal\" "
            "stacking=\"stacked\" group=\"2\" title=\"T &amp; «t»\" legend=\"left\" categoryTitle=\"C\" valueTitle=\"V\" "
            "gridlines=\"false\" valueLabels=\"true\" format=\"0.0\" palette=\"#010203 #A0B0C0\" font=\"Times New Roman\" "
            "size=\"9\" titleSize=\"14\" color=\"#202020\" border=\"all\">"
            "<suppressWhen>PageNumber &gt; 2</suppressWhen>"
            "<series operation=\"NthLargest\" argument=\"2\" source=\"{@Import}\" name=\"Segon\" color=\"#FF0000\"/>"
            "<series operation=\"WeightedAverage\" weight=\"{Comandes.Quantitat}\" source=\"{@Import}\"/>"
            "</chart>"));
        QTest::newRow("a doughnut") << reportWithChart(QStringLiteral(
            "<chart left=\"0\" top=\"0\" width=\"4000\" height=\"3000\" type=\"doughnut\" group=\"2\" legend=\"none\">"
            "<series operation=\"Count\" source=\"{@Import}\"/></chart>"), QStringLiteral("groupFooter"), QStringLiteral("1"));
        QTest::newRow("a line over records") << reportWithChart(QStringLiteral(
            "<chart left=\"0\" top=\"0\" width=\"4000\" height=\"3000\" type=\"line\" markers=\"false\" data=\"records\" "
            "x=\"{Comandes.Data}\" maxPoints=\"20\"><series source=\"{@Import}\"/><series source=\"{Comandes.Import}\"/>"
            "</chart>"));
    }

    void chartsSurviveWritingAndReading()
    {
        QFETCH(QByteArray, text);
        const ReportDefinition read = readReportText(text, QString());
        const QByteArray written = writeReportText(read);
        const ReportDefinition again = readReportText(written, QString());
        QVERIFY2(again == read, written.constData());
        QCOMPARE(writeReportText(again), written);
    }

    void sampleSurvivesWritingAndReading()
    {
        const QString file = velmora::testing::sourcePath(QStringLiteral("examples/grafics-vendes.rpt"));
        const ReportDefinition original = readReportFile(file);
        QVERIFY(readReportText(writeReportText(original), QString()) == original);
    }
};

QTEST_GUILESS_MAIN(ChartDefinitionTest)
#include "test_chart_definition.moc"
