#include "WizardTestChoices.h"

#include "TestData.h"
#include "wizard/generator/LinkProposal.h"

using namespace Qt::StringLiterals;

namespace velmora::testing {

using namespace wizard;

WizardChoices salesByCountryAndClient(const DatabaseCatalog &catalog, const QString &databasePath)
{
    WizardChoices choices;
    choices.databasePath = databasePath;
    choices.tables = {u"LiniesComanda"_s, u"Comandes"_s, u"Clients"_s, u"Productes"_s};
    choices.links = proposeLinks(choices.tables, catalog.relationships()).links;
    choices.columns = {
        {{u"Comandes"_s, u"IdComanda"_s}, u"Comanda"_s},
        {{u"Comandes"_s, u"DataComanda"_s}, u"Data"_s},
        {{u"Productes"_s, u"Descripcio"_s}, u"Producte"_s},
        {{u"LiniesComanda"_s, u"Quantitat"_s}, QString()},
        {{u"LiniesComanda"_s, u"PreuUnitari"_s}, u"Preu unitari"_s},
    };
    choices.groups = {{{u"Clients"_s, u"Pais"_s}}, {{u"Clients"_s, u"Nom"_s}}};
    choices.sorts = {{{u"Comandes"_s, u"DataComanda"_s}}, {{u"LiniesComanda"_s, u"IdLinia"_s}}};
    choices.totals = {{{u"LiniesComanda"_s, u"Quantitat"_s}, {SummaryOperation::Sum}}};
    choices.look.title = u"Vendes per país i client"_s;
    return choices;
}

const DatabaseCatalog &empresaCatalog()
{
    static const DatabaseCatalog catalog = DatabaseCatalog::open(testDataPath(u"empresa.mdb"_s), QString());
    return catalog;
}

} // namespace velmora::testing
