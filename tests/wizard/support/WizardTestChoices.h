#pragma once

#include "wizard/generator/DatabaseCatalog.h"
#include "wizard/generator/WizardChoices.h"

namespace velmora::testing {

/// Sales by country and client over empresa.mdb, as a person makes it in
/// the wizard: the four tables, their stored links, order, date, product,
/// quantity and price, grouped by country and client, quantities summed.
wizard::WizardChoices salesByCountryAndClient(const wizard::DatabaseCatalog &catalog, const QString &databasePath);

/// The catalog of the test copy of empresa.mdb.
const wizard::DatabaseCatalog &empresaCatalog();

} // namespace velmora::testing
