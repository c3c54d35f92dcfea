#pragma once

#include "engine/definition/FormattedProperty.h"
#include "engine/formula/Formula.h"

namespace velmora {

/// A formatting formula compiled for laying out. `owner` names the object
/// or section, for messages.
struct PropertyPlan {
    FormattedProperty property = FormattedProperty::Color;
    Formula formula;
    QString owner;
    /// What DesignValue gives: the property as the file fixes it, worked
    /// out once (PropertyApplier::designValueOf).
    Value designValue;
};

/// The formula's name in messages: "color de Import".
QString propertyFormulaName(FormattedProperty property, const QString &owner);
/// Refuses, with 5020, a formula whose result type is plain from its text
/// and is not one the property takes.
void checkPropertyResultType(const PropertyPlan &plan);
/// Refuses, with 4510, a value of a type the property does not take.
void checkPropertyValueType(const PropertyPlan &plan, const Value &value);
/// The types the property takes, for messages: "un text amb un color".
QString propertyTypeWords(FormattedProperty property);

} // namespace velmora
