#pragma once

#include "engine/definition/ReportDefinition.h"
#include "wizard/generator/DatabaseCatalog.h"
#include "wizard/generator/WizardChoices.h"

namespace velmora::wizard {

struct ComposedReport {
    ReportDefinition definition;
    /// The columns do not fit a portrait page: landscape is what the
    /// automatic orientation took, or what the look step should propose.
    bool columnsNeedLandscape = false;
};

/// The report the choices describe, over the catalog's database. Throws
/// Failure (WizardErrors) for choices no report can be made of: no table,
/// a table no link reaches, no column, a field the tables do not have, a
/// filter value of the wrong type, more than three groups.
ComposedReport composeReport(const WizardChoices &choices, const DatabaseCatalog &catalog);

/// Where the columns may go on a page of that paper and orientation, in twips.
Twips usableWidth(const QString &paper, bool landscape);

/// The heading a column shows: the one chosen, or the field's name.
QString headingOf(const ColumnChoice &column);

} // namespace velmora::wizard
