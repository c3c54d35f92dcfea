#include "engine/core/Failure.h"
#include "engine/definition/ReportReader.h"
#include "engine/definition/ReportWriter.h"
#include "../support/TestData.h"
#include "ReportWithEveryFeature.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using velmora::testing::reportWithEveryFeature;
using velmora::testing::sourcePath;

namespace {

/// Whether xmllint finds `file` valid against docs/report-format.xsd.
bool schemaAccepts(const QString &file)
{
    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"),
                                              sourcePath(QStringLiteral("docs/report-format.xsd")), file});
    xmllint.waitForFinished(60000);
    return xmllint.exitStatus() == QProcess::NormalExit && xmllint.exitCode() == 0;
}

bool readerAccepts(const QByteArray &text)
{
    try {
        readReportText(text, sourcePath(QStringLiteral("examples")));
        return true;
    } catch (const Failure &) {
        return false;
    }
}

QByteArray report(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<report formatVersion=\"1\">\n"
           "<tables><table name=\"Clients\"/></tables>\n"
           + body + "\n</report>\n";
}

} // namespace

class ReportSchemaTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
            QSKIP("xmllint is not installed (package libxml2-utils)");
    }

    void examplesAreValid_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("sales by country") << "examples/vendes-per-pais.rpt";
        QTest::newRow("sales of a year, asked for") << "examples/vendes-per-any.rpt";
        QTest::newRow("client directory") << "examples/clients.rpt";
        QTest::newRow("orders with a subreport") << "examples/comandes-amb-linies.rpt";
        QTest::newRow("products with a picture") << "examples/productes-per-categoria.rpt";
        QTest::newRow("made by the report wizard") << "examples/assistent-vendes-pais-client.rpt";
        QTest::newRow("stock and pending orders, formatted by the data") << "examples/estoc-i-cobraments.rpt";
        QTest::newRow("cross-tab of sales per country by year") << "examples/vendes-pais-any.rpt";
        QTest::newRow("cross-tab of orders per seller by state") << "examples/comandes-venedor-estat.rpt";
    }
    void examplesAreValid()
    {
        QFETCH(QString, file);
        QVERIFY(schemaAccepts(sourcePath(file)));
    }

    void everythingTheWriterWritesIsValid()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tot.rpt"));
        writeReportFile(reportWithEveryFeature(), path);
        QVERIFY(schemaAccepts(path));
    }

    void schemaAndReaderAgree_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("no sections at all is a valid, empty report") << report("") << true;
        QTest::newRow("field with every text option")
            << report("<sections><details height=\"240\"><field left=\"0\" top=\"0\" width=\"900\" height=\"240\" "
                      "source=\"{Clients.Nom}\" font=\"Arial\" size=\"8.5\" bold=\"true\" align=\"right\" "
                      "border=\"left bottom\" format=\"#,##0\"/></details></sections>")
            << true;
        QTest::newRow("misspelt attribute")
            << report("<sections><details heigth=\"240\"/></sections>") << false;
        QTest::newRow("yes is not a boolean")
            << report("<sections><details height=\"240\" suppress=\"yes\"/></sections>") << false;
        QTest::newRow("colour by name")
            << report("<sections><details height=\"240\" background=\"white\"/></sections>") << false;
        QTest::newRow("page footer before the details")
            << report("<sections><pageFooter height=\"240\"/><details height=\"240\"/></sections>") << false;
        QTest::newRow("summary that names no group")
            << report("<sections><details height=\"240\"><summary left=\"0\" top=\"0\" width=\"9\" height=\"9\" "
                      "operation=\"Sum\" source=\"{Clients.LimitCredit}\"/></details></sections>")
            << false;
        QTest::newRow("text object without its text")
            << report("<sections><details height=\"240\"><text left=\"0\" top=\"0\" width=\"9\" height=\"9\"/>"
                      "</details></sections>")
            << false;
        QTest::newRow("subreport without its report")
            << report("<sections><details height=\"240\"><subreport left=\"0\" top=\"0\" width=\"9\" height=\"9\"/>"
                      "</details></sections>")
            << false;
        QTest::newRow("link without fields")
            << report("<links><link from=\"Clients\" to=\"Clients\"/></links>") << false;
        QTest::newRow("ranked group keeping ten, the rest gathered, with a share of the report")
            << report("<groups><group field=\"{Clients.Pais}\"><rank operation=\"Percentile\" argument=\"90\" "
                      "source=\"{Clients.LimitCredit}\" keep=\"10\" keepTies=\"true\" rest=\"gather\" restName=\"Altres\"/>"
                      "<selection>Count({Clients.Nom}, {Clients.Pais}) > 1</selection></group></groups>"
                      "<sections><details height=\"240\"><summary left=\"0\" top=\"0\" width=\"9\" height=\"9\" "
                      "operation=\"Sum\" source=\"{Clients.LimitCredit}\" group=\"1\" percentOf=\"report\"/>"
                      "</details></sections>")
            << true;
        QTest::newRow("rest that is neither left out nor gathered")
            << report("<groups><group field=\"{Clients.Pais}\"><rank operation=\"Sum\" source=\"{Clients.LimitCredit}\" "
                      "keep=\"3\" rest=\"all\"/></group></groups>")
            << false;
        QTest::newRow("tables after formulas")
            << QByteArray("<report formatVersion=\"1\"><formulas/><tables/></report>") << false;
    }
    void schemaAndReaderAgree()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("prova.rpt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QCOMPARE(schemaAccepts(file.fileName()), valid);
        QCOMPARE(readerAccepts(text), valid);
    }
};

QTEST_GUILESS_MAIN(ReportSchemaTest)
#include "test_report_schema.moc"
