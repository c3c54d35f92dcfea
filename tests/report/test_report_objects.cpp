#include "FakeEngineServices.h"

#include "engine/report/LogonPassword.h"
#include "engine/seam/SeamErrors.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

namespace {
using Kind = ReportObject::Kind;

/// Clients and Comandes in the main report; a subreport "Linies" in the
/// details reading LiniesComanda, with a subreport "Notes" nested in it.
ReportDefinition salesReport()
{
    ReportDefinition notes;
    notes.tables = {table(QStringLiteral("Notes"))};

    ReportDefinition lines;
    lines.tables = {table(QStringLiteral("LiniesComanda"), QStringLiteral("Linies"))};
    lines.sections = {section(QStringLiteral("DetallLinia"), {subreport(QStringLiteral("Notes"), notes)})};

    ReportDefinition report;
    report.tables = {table(QStringLiteral("Clients")), table(QStringLiteral("Comandes"), QStringLiteral("C"))};
    report.sections = {
        section(QStringLiteral("Capçalera"), {object(QStringLiteral("Titol"), Kind::Text)}),
        section(QStringLiteral("Detall"), {object(QStringLiteral("Nom"), Kind::Field),
                                            subreport(QStringLiteral("Linies"), lines),
                                            object(QStringLiteral("Ratlla"), Kind::Line)}),
        section(QStringLiteral("Peu")),
    };
    return report;
}

QStringList namesOf(const auto &items)
{
    QStringList names;
    for (const auto &item : items)
        names << item->name();
    return names;
}

std::shared_ptr<EngineReportObject> objectNamed(EngineReport &report, const QString &name)
{
    for (const auto &s : report.sections())
        for (const auto &o : s->reportObjects())
            if (o->name() == name)
                return o;
    return nullptr;
}

std::shared_ptr<EngineReport> openLines(EngineReport &report)
{
    return objectNamed(report, QStringLiteral("Linies"))->asSubreportObject()->openSubreport();
}
} // namespace

class ReportObjectsTest : public QObject {
    Q_OBJECT
private slots:
    void tablesAndSectionsFollowTheDefinitionOrder()
    {
        auto log = std::make_shared<ServiceLog>();
        log->definition = salesReport();
        auto report = openFakeReport(log);
        // Tables are named by their database name; the alias only keys the layout.
        QCOMPARE(namesOf(report->database()->tables()), QStringList({u"Clients"_s, u"Comandes"_s}));
        QCOMPARE(namesOf(report->sections()), QStringList({u"Capçalera"_s, u"Detall"_s, u"Peu"_s}));
        QCOMPARE(namesOf(report->sections().at(1)->reportObjects()),
                 QStringList({u"Nom"_s, u"Linies"_s, u"Ratlla"_s}));
    }

    void kindIsReadByName_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("propertyName");
        QTest::addColumn<int>("kind");
        QTest::newRow("text object is 2") << u"Titol"_s << u"Kind"_s << 2;
        QTest::newRow("field is 1") << u"Nom"_s << u"Kind"_s << 1;
        QTest::newRow("subreport is the marker 5") << u"Linies"_s << u"Kind"_s << 5;
        QTest::newRow("line is 3") << u"Ratlla"_s << u"Kind"_s << 3;
        QTest::newRow("names by run-time lookup ignore case") << u"Linies"_s << u"kind"_s << 5;
    }
    void kindIsReadByName()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, propertyName);
        QFETCH(int, kind);
        auto log = std::make_shared<ServiceLog>();
        log->definition = salesReport();
        auto report = openFakeReport(log);
        const QVariant value = objectNamed(*report, objectName)->property(propertyName);
        QCOMPARE(value.typeId(), QMetaType::Int);
        QCOMPARE(value.toInt(), kind);
    }

    void unknownPropertyFails()
    {
        auto log = std::make_shared<ServiceLog>();
        log->definition = salesReport();
        auto report = openFakeReport(log);
        auto field = objectNamed(*report, u"Nom"_s);
        QCOMPARE(failureNumberOf([&] { field->property(u"Kindd"_s); }), SeamErrors::UnknownProperty);
        QCOMPARE(failureNumberOf([&] { field->property(QString()); }), SeamErrors::UnknownProperty);
    }

    void onlyASubreportObjectOpensASubreport()
    {
        auto log = std::make_shared<ServiceLog>();
        log->definition = salesReport();
        auto report = openFakeReport(log);
        QCOMPARE(failureNumberOf([&] { objectNamed(*report, u"Nom"_s)->asSubreportObject(); }),
                 SeamErrors::NotASubreport);

        auto lines = openLines(*report);
        QCOMPARE(namesOf(lines->database()->tables()), QStringList({u"LiniesComanda"_s}));
        QCOMPARE(namesOf(lines->sections()), QStringList({u"DetallLinia"_s}));
    }

    void aSubreportObjectWithoutAReportFails()
    {
        auto log = std::make_shared<ServiceLog>();
        log->definition.sections = {section(u"Detall"_s, {object(u"Buit"_s, Kind::Subreport)})};
        auto report = openFakeReport(log);
        auto empty = objectNamed(*report, u"Buit"_s)->asSubreportObject();
        QCOMPARE(failureNumberOf([&] { empty->openSubreport(); }), SeamErrors::NotASubreport);
    }

    void logonTextSplitsAtTheFirstLineFeed_data()
    {
        QTest::addColumn<QString>("logonText");
        QTest::addColumn<QString>("workgroup");
        QTest::addColumn<QString>("database");
        QTest::newRow("what the windows send: line feed, then the password") << u"\nclau"_s << QString() << u"clau"_s;
        QTest::newRow("empty password box: a line feed alone") << u"\n"_s << QString() << QString();
        QTest::newRow("later line feeds belong to the database password") << u"wg\npw\nx"_s << u"wg"_s << u"pw\nx"_s;
        QTest::newRow("no line feed: all of it is the workgroup password") << u"clau"_s << u"clau"_s << QString();
        QTest::newRow("blanks are kept: the caller trims") << u"\n a b "_s << QString() << u" a b "_s;
    }
    void logonTextSplitsAtTheFirstLineFeed()
    {
        QFETCH(QString, logonText);
        QFETCH(QString, workgroup);
        QFETCH(QString, database);
        QCOMPARE(LogonPassword::fromLogonText(logonText), (LogonPassword{workgroup, database}));

        auto log = std::make_shared<ServiceLog>();
        log->definition = salesReport();
        auto report = openFakeReport(log);
        for (const auto &t : report->database()->tables()) {
            t->setLocation(u"/dades/empresa.mdb"_s);
            t->setLogOnInfo(QString(), logonText);
        }
        report->createPageSource();
        const TableLocation &clients = log->layouts.back().tables.at(u"Clients"_s);
        QCOMPARE(clients.databasePassword, database);
        QVERIFY(clients.hasLogon);
    }

    void locationsOfEveryTableReachTheLayout()
    {
        auto log = std::make_shared<ServiceLog>();
        log->definition = salesReport();
        auto report = openFakeReport(log);
        for (const auto &t : report->database()->tables()) {
            t->setLocation(u"/dades/empresa.mdb"_s);
            t->setLogOnInfo(QString(), u"\nclau"_s);
        }
        auto lines = openLines(*report);
        locateTables(*lines, u"/dades/linies.mdb"_s);
        auto notes = objectNamed(*lines, u"Notes"_s)->asSubreportObject()->openSubreport();
        locateTables(*notes, u"/dades/notes.mdb"_s);
        report->createPageSource();

        QCOMPARE(log->layouts.size(), 1u);
        const LayoutInput &input = log->layouts.front();
        QCOMPARE(input.reportDirectory, u"/informes"_s);
        QStringList keys;
        for (const auto &[key, location] : input.tables)
            keys << key + u'=' + location.databasePath;
        // Main tables by alias ("C", not "Comandes"); subreport tables under
        // their object's name, nested ones under both names.
        QCOMPARE(keys, QStringList({u"C=/dades/empresa.mdb"_s, u"Clients=/dades/empresa.mdb"_s,
                                    u"Linies/Linies=/dades/linies.mdb"_s,
                                    u"Linies/Notes/Notes=/dades/notes.mdb"_s}));
        // A subreport table given no logon borrows the password of its database file.
        QVERIFY(!input.tables.at(u"Linies/Linies"_s).hasLogon);
        QCOMPARE(input.tables.at(u"C"_s).databasePassword, u"clau"_s);
    }

    void mainTableWithoutLocationFailsClearly()
    {
        auto log = std::make_shared<ServiceLog>();
        log->definition = salesReport();
        auto report = openFakeReport(log);
        report->database()->tables().front()->setLocation(u"/dades/empresa.mdb"_s);
        report->database()->tables().back()->setLogOnInfo(QString(), u"\nclau"_s); // a logon is no location
        QCOMPARE(failureNumberOf([&] { report->createPageSource(); }), SeamErrors::TableWithoutLocation);
        QVERIFY(log->layouts.empty());
    }

    void subreportLeavesWholeReportOperationsToTheMainReport()
    {
        auto log = std::make_shared<ServiceLog>();
        log->definition = salesReport();
        auto report = openFakeReport(log);
        auto lines = openLines(*report);
        QCOMPARE(failureNumberOf([&] { lines->exportOptions(); }), SeamErrors::NotForSubreport);
        QCOMPARE(failureNumberOf([&] { lines->exportReport(false); }), SeamErrors::NotForSubreport);
        QCOMPARE(failureNumberOf([&] { lines->createPageSource(); }), SeamErrors::NotForSubreport);
        QCOMPARE(failureNumberOf([&] { lines->setPageMargins({}); }), SeamErrors::NotForSubreport);
        QCOMPARE(lines->pageMargins(), report->pageMargins());
    }

    void openingFailureKeepsItsNumber()
    {
        EngineServices services = fakeServices(std::make_shared<ServiceLog>());
        services.loadDefinition = [](const QString &) -> ReportDefinition {
            throw Failure(2001, u"No es troba l'arxiu"_s);
        };
        auto application = createReportEngine(services)->createApplication();
        QCOMPARE(failureNumberOf([&] { application->openReport(u"/no/hi/es.rpt"_s); }), 2001);
    }

    void reportOutlivesItsApplication()
    {
        auto log = std::make_shared<ServiceLog>();
        log->definition = salesReport();
        std::shared_ptr<EngineReport> report;
        {
            auto engine = createReportEngine(fakeServices(log));
            report = engine->createApplication()->openReport(u"/informes/prova.rpt"_s);
        }
        locateTables(*report, u"/dades/empresa.mdb"_s);
        QVERIFY(report->createPageSource());
    }
};

QTEST_MAIN(ReportObjectsTest)
#include "test_report_objects.moc"
