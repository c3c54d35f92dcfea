#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/definition/XmlWalker.h"

#include <optional>
#include <vector>

namespace velmora {

/// Reads one <property name="…">formula</property> element, the walker
/// standing on it, into `formulas`: the name must be a property of the
/// object's kind (a section's when `kind` is nullopt), given once, and the
/// formula must have text.
void readPropertyFormula(XmlWalker &walker, std::optional<ReportObject::Kind> kind,
                         std::vector<PropertyFormula> &formulas);

} // namespace velmora
