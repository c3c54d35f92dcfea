#pragma once

#include "engine/definition/ReportDefinition.h"
#include "wizard/generator/DatabaseCatalog.h"
#include "wizard/generator/WizardChoices.h"

#include <vector>

namespace velmora::wizard {

/// The record selection and the parameters that a list of conditions makes.
struct RecordFilter {
    FormulaText selection;
    std::vector<ParameterDefinition> parameters;
};

/// Each condition becomes one comparison, all joined by `and`. A value is
/// written as a literal of the field's type; a value asked when the report
/// runs becomes a parameter of that type, offering the typed value first;
/// left empty when asked, it keeps every record. Throws Failure
/// (WizardErrors::BadConditionValue) naming a value that is not of the
/// field's type, or UnknownField.
RecordFilter buildRecordFilter(const std::vector<ConditionChoice> &conditions, const DatabaseCatalog &catalog);

/// The words the filter step shows for each comparison.
QString comparisonLabel(Comparison comparison);
/// The word the report file's <wizard> keeps for it, and back.
QString comparisonKey(Comparison comparison);
std::optional<Comparison> comparisonFromKey(const QString &key);
/// Whether the comparison is between texts only (starts with, contains).
bool comparesText(Comparison comparison);

} // namespace velmora::wizard
