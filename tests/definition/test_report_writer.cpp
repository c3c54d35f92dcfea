#include "engine/core/Failure.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/ReportReader.h"
#include "engine/definition/ReportWriter.h"
#include "../support/TestData.h"
#include "ReportWithEveryFeature.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using velmora::testing::reportWithEveryFeature;
using velmora::testing::sourcePath;

class ReportWriterTest : public QObject {
    Q_OBJECT
private slots:
    void everyFeatureSurvivesWritingAndReading()
    {
        const ReportDefinition model = reportWithEveryFeature();
        const QByteArray written = writeReportText(model);
        const ReportDefinition read = readReportText(written, QString());
        QVERIFY2(read == model, written.constData());
        QCOMPARE(writeReportText(read), written);
    }

    void everyFeatureIsWrittenInTheFile_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::newRow("named paper is not used for a custom size") << "width=\"15000\" height=\"10000\"";
        QTest::newRow("alias only when it differs from the name") << "<table name=\"Comandes\" alias=\"C\"/>";
        QTest::newRow("formula with < goes in CDATA") << "<![CDATA[{C.Import} < 100";
        QTest::newRow("formula with ]]> is escaped instead") << "&quot;]]&gt;&quot; &amp; {C.Estat}";
        QTest::newRow("summary over the whole report") << "group=\"report\"";
        QTest::newRow("running total reset by the second group") << "reset=\"2\"";
        QTest::newRow("all four borders in one word") << "border=\"all\"";
        QTest::newRow("line breaks of a text kept in its attribute") << "text=\"Línia 1&#10;Línia 2 {C.Estat} &quot;cometes&quot;";
        QTest::newRow("colour in upper-case hexadecimal") << "color=\"#1F4E79\"";
        QTest::newRow("a ranked group, its count from a parameter")
            << "<rank operation=\"Percentile\" source=\"{@Import}\" argument=\"90\" direction=\"ascending\" "
               "keep=\"{?Any}\" keepTies=\"true\" rest=\"gather\" restName=\"La resta\"/>";
        QTest::newRow("a share of the outer group") << "group=\"2\" percentOf=\"1\"";
        QTest::newRow("a formatting formula, named as its attribute")
            << "<property name=\"color\"><![CDATA[if ObjectValue < 0 then \"vermell\" else DesignValue]]></property>";
        QTest::newRow("a section's background by formula") << "<property name=\"background\">";
        QTest::newRow("a fixed link") << "link=\"https://exemple.cat/comanda?id=1&amp;estat=&quot;x&quot;\"";
        QTest::newRow("a weighted running total") << "operation=\"WeightedAverage\" field=\"{@Import}\" weight=\"{C.Quantitat}\"";
    }
    void everyFeatureIsWrittenInTheFile()
    {
        QFETCH(QString, expected);
        const QString written = QString::fromUtf8(writeReportText(reportWithEveryFeature()));
        QVERIFY2(written.contains(expected), qPrintable(written));
    }

    void examplesSurviveWritingAndReading_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("sales by country") << "examples/vendes-per-pais.rpt";
        QTest::newRow("sales of a year, asked for") << "examples/vendes-per-any.rpt";
        QTest::newRow("client directory") << "examples/clients.rpt";
        QTest::newRow("orders with a subreport") << "examples/comandes-amb-linies.rpt";
        QTest::newRow("products with a picture") << "examples/productes-per-categoria.rpt";
        QTest::newRow("stock and pending orders, formatted by the data") << "examples/estoc-i-cobraments.rpt";
    }
    void examplesSurviveWritingAndReading()
    {
        QFETCH(QString, file);
        const ReportDefinition original = readReportFile(sourcePath(file));
        const QByteArray written = writeReportText(original);
        QVERIFY(readReportText(written, sourcePath(QStringLiteral("examples"))) == original);
    }

    void savedFileReadsBackAndLeavesNoTemporary()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("informe.rpt"));
        const ReportDefinition model = reportWithEveryFeature();
        writeReportFile(model, path);
        writeReportFile(model, path);
        QVERIFY(readReportFile(path) == model);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("informe.rpt")});
    }

    void saveIntoMissingFolderIsReported()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("no-existeix/informe.rpt"));
        try {
            writeReportFile(reportWithEveryFeature(), path);
            QFAIL("writing into a missing folder succeeded");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), DefinitionErrors::WriteFailed);
            QVERIFY(failure.description().contains(QStringLiteral("informe.rpt")));
        }
    }
};

QTEST_GUILESS_MAIN(ReportWriterTest)
#include "test_report_writer.moc"
