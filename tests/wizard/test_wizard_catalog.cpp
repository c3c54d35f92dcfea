// The relationships the wizard proposes links from are the ones the
// database keeps, read through the data layer, and the links it proposes
// join exactly the tables a chain of relationships reaches.

#include "TestData.h"
#include "WizardTestChoices.h"
#include "engine/core/Failure.h"
#include "engine/data/StoredRelationships.h"
#include "wizard/generator/LinkProposal.h"
#include "wizard/generator/ReportComposer.h"
#include "wizard/generator/WizardErrors.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::wizard;
using namespace velmora::testing;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::vector<velmora::TableLink>)

namespace {

TableLink link(const QString &from, const QString &fromField, const QString &to, const QString &toField)
{
    TableLink result;
    result.fromAlias = from;
    result.fromFields = {fromField};
    result.toAlias = to;
    result.toFields = {toField};
    return result;
}

} // namespace

class WizardCatalogTest : public QObject {
    Q_OBJECT
private slots:
    void storedRelationshipsAreTheFixtures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("Jet 4") << u"empresa.mdb"_s;
        QTest::newRow("ACE") << u"empresa2010.accdb"_s;
    }
    void storedRelationshipsAreTheFixtures()
    {
        QFETCH(QString, file);
        const auto database = AccessDatabase::open(testDataPath(file), QString());
        const std::vector<StoredRelationship> expected = {
            {u"ClientsComandes"_s, u"Comandes"_s, {u"IdClient"_s}, u"Clients"_s, {u"IdClient"_s}},
            {u"ComandesLinies"_s, u"LiniesComanda"_s, {u"IdComanda"_s}, u"Comandes"_s, {u"IdComanda"_s}},
            {u"ProductesLinies"_s, u"LiniesComanda"_s, {u"IdProducte"_s}, u"Productes"_s, {u"IdProducte"_s}},
            {u"VenedorsComandes"_s, u"Comandes"_s, {u"IdVenedor"_s}, u"Venedors"_s, {u"IdVenedor"_s}},
        };
        QCOMPARE(readStoredRelationships(*database), expected);
        // The system table stays out of the user's tables.
        QVERIFY(!database->tableNames().contains(u"MSysRelationships"_s));
    }

    void aDatabaseWithoutRelationshipsGivesNone()
    {
        const auto database = AccessDatabase::open(testDataPath(u"db-enc.mdb"_s), QString());
        QVERIFY(readStoredRelationships(*database).empty());
    }

    void proposedLinks_data()
    {
        QTest::addColumn<QStringList>("tables");
        QTest::addColumn<std::vector<TableLink>>("links");
        QTest::addColumn<QStringList>("unreached");
        QTest::newRow("one table") << QStringList{u"Clients"_s} << std::vector<TableLink>{} << QStringList{};
        QTest::newRow("sales, from the lines")
            << QStringList{u"LiniesComanda"_s, u"Comandes"_s, u"Clients"_s, u"Productes"_s}
            << std::vector<TableLink>{link(u"LiniesComanda"_s, u"IdComanda"_s, u"Comandes"_s, u"IdComanda"_s),
                                      link(u"LiniesComanda"_s, u"IdProducte"_s, u"Productes"_s, u"IdProducte"_s),
                                      link(u"Comandes"_s, u"IdClient"_s, u"Clients"_s, u"IdClient"_s)}
            << QStringList{};
        QTest::newRow("from the referenced side")
            << QStringList{u"Clients"_s, u"Comandes"_s}
            << std::vector<TableLink>{link(u"Clients"_s, u"IdClient"_s, u"Comandes"_s, u"IdClient"_s)} << QStringList{};
        QTest::newRow("names in another case")
            << QStringList{u"clients"_s, u"COMANDES"_s}
            << std::vector<TableLink>{link(u"clients"_s, u"IdClient"_s, u"COMANDES"_s, u"IdClient"_s)} << QStringList{};
        QTest::newRow("no path without the lines")
            << QStringList{u"Clients"_s, u"Productes"_s, u"Comandes"_s}
            << std::vector<TableLink>{link(u"Clients"_s, u"IdClient"_s, u"Comandes"_s, u"IdClient"_s)}
            << QStringList{u"Productes"_s};
    }
    void proposedLinks()
    {
        QFETCH(QStringList, tables);
        QFETCH(std::vector<TableLink>, links);
        QFETCH(QStringList, unreached);
        const LinkProposal proposal = proposeLinks(tables, empresaCatalog().relationships());
        QCOMPARE(proposal.links, links);
        QCOMPARE(proposal.unreached, unreached);
    }

    void aChosenJoinTypeSurvivesANewProposal()
    {
        const QStringList tables{u"Clients"_s, u"Comandes"_s};
        std::vector<TableLink> chosen = proposeLinks(tables, empresaCatalog().relationships()).links;
        chosen.front().join = JoinType::LeftOuter;
        std::vector<TableLink> again = proposeLinks(tables + QStringList{u"Venedors"_s}, empresaCatalog().relationships()).links;
        keepJoinTypes(again, chosen);
        QCOMPARE(again.size(), size_t(2));
        QCOMPARE(again[0].join, JoinType::LeftOuter);
        QCOMPARE(again[1].join, JoinType::Inner);
    }

    void tablesWithoutAPathAreRefused()
    {
        WizardChoices choices = salesByCountryAndClient(empresaCatalog(), testDataPath(u"empresa.mdb"_s));
        choices.tables << u"Venedors"_s;
        try {
            composeReport(choices, empresaCatalog());
            QFAIL("a table no link reaches was taken");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number(), WizardErrors::UnreachedTable);
            QVERIFY2(failure.description().contains(u"«Venedors»"_s), qPrintable(failure.description()));
        }
    }
};

QTEST_MAIN(WizardCatalogTest)
#include "test_wizard_catalog.moc"
