#include "cli/BatchExport.h"

#include "RecordingEngine.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {
ExportCommandLine command(qint32 formatType, const QString &password)
{
    ExportCommandLine c;
    c.formatType = formatType;
    c.outputPath = u"/sortida/a.out"_s;
    c.password = password;
    c.reportPath = u"/informes/r.rpt"_s;
    c.databasePath = u"/dades/d.mdb"_s;
    return c;
}

/// Two tables; in the second section a field and a subreport "Linies" with
/// a subreport "Notes" nested in it.
FakeReportShape salesShape()
{
    FakeObjectShape notes{u"Notes"_s, 5, {u"Notes"_s}, {}};
    FakeObjectShape lines{u"Linies"_s, 5, {u"LiniesComanda"_s}, {{notes}}};
    FakeReportShape shape;
    shape.tables = {u"Clients"_s, u"Comandes"_s};
    shape.sections = {{}, {FakeObjectShape{u"Nom"_s, 1, {}, {}}, lines}};
    return shape;
}

QStringList walkLog(const QString &password)
{
    return {u"createApplication"_s,
            u"openReport(/informes/r.rpt)"_s,
            u"database"_s,
            u"tables"_s,
            u"Clients.setLocation(/dades/d.mdb)"_s,
            u"Clients.setLogOnInfo(,\\n"_s + password + u')',
            u"Comandes.setLocation(/dades/d.mdb)"_s,
            u"Comandes.setLogOnInfo(,\\n"_s + password + u')',
            u"sections"_s,
            u"Section1.reportObjects"_s,
            u"Section2.reportObjects"_s,
            u"Nom.Kind"_s,
            u"Linies.Kind"_s,
            u"openSubreport(Linies)"_s,
            u"Linies:database"_s,
            u"Linies:tables"_s,
            u"Linies:LiniesComanda.setLocation(/dades/d.mdb)"_s,
            u"exportOptions"_s};
}
} // namespace

class BatchExportTest : public QObject {
    Q_OBJECT
private slots:
    void walksTheReportAsTheWindowsDo_data()
    {
        QTest::addColumn<qint32>("formatType");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("optionCalls");
        QTest::newRow("pdf also sets both PDF options to 2")
            << 31 << u"clau"_s
            << QStringList{u"exportOptions.setFormatType(31)"_s, u"exportOptions.setPdfFirstOption(2)"_s,
                           u"exportOptions.setPdfSecondOption(2)"_s};
        QTest::newRow("text sets the format only; no password is a bare line feed")
            << 8 << QString() << QStringList{u"exportOptions.setFormatType(8)"_s};
        QTest::newRow("data-only Excel keeps its own code, 36")
            << 36 << u"a b"_s << QStringList{u"exportOptions.setFormatType(36)"_s};
    }
    void walksTheReportAsTheWindowsDo()
    {
        QFETCH(qint32, formatType);
        QFETCH(QString, password);
        QFETCH(QStringList, optionCalls);
        RecordingEngine engine;
        engine.state().shape = salesShape();
        runBatchExport(engine, command(formatType, password));
        // The nested subreport "Notes" is not visited, as in the windows.
        const QStringList expected = walkLog(password) + optionCalls
            + QStringList{u"exportOptions.setDestinationType(1)"_s,
                          u"exportOptions.setDiskFileName(/sortida/a.out)"_s, u"export(false)"_s};
        QCOMPARE(engine.log(), expected);
    }

    void aFailureStopsTheWalk()
    {
        RecordingEngine engine;
        engine.state().shape = salesShape();
        engine.state().failures.emplace(u"Comandes.setLocation"_s, Failure(3001, u"No es troba la base de dades"_s));
        try {
            runBatchExport(engine, command(31, QString()));
            QFAIL("the failure did not reach the caller");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), 3001);
        }
        QVERIFY(!engine.log().contains(u"export(false)"_s));
    }
};

QTEST_MAIN(BatchExportTest)
#include "test_batch_export.moc"
