#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/layout/ReportLayout.h"

#include <vector>

namespace velmora {

/// The distinct non-Null values of one database field, as the pick list of
/// a parameter of `type`: texts in Catalan alphabetical order, other values
/// in their natural order. Values of the column's own kind are taken as the
/// parameter's type (a Date/Time column for a Date parameter gives dates);
/// values that cannot be are left out. `tableKey` names the table's
/// location in `tables`. Throws Failure when the database cannot be read.
std::vector<PickValue> readFieldPickList(const QString &tableName, const QString &fieldName, ValueType type,
                                         const QString &tableKey, const std::map<QString, TableLocation> &tables);

} // namespace velmora
