#pragma once

#include "engine/definition/FormattedProperty.h"
#include "engine/definition/ReportDefinition.h"

#include <optional>

namespace velmora {

/// The word the report file uses for the property: its attribute's name.
QString propertyName(FormattedProperty property);
std::optional<FormattedProperty> propertyNamed(QStringView name);
PropertyType propertyType(FormattedProperty property);

/// Whether an object of this kind, or a section (nullopt), has the property.
bool propertyApplies(FormattedProperty property, std::optional<ReportObject::Kind> kind);
/// The properties of the kind, for messages: "color, background, bold".
QString propertyList(std::optional<ReportObject::Kind> kind);

} // namespace velmora
