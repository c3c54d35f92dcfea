#pragma once

#include "engine/definition/CrossTabDefinition.h"
#include "engine/definition/XmlOutput.h"

namespace velmora {

/// Writes what a <crossTab> element holds beyond a report object's common
/// attributes, as CrossTabReader reads it back.
void writeCrossTabAttributes(XmlOutput &out, const CrossTabDefinition &crossTab);
void writeCrossTabChildren(XmlOutput &out, const CrossTabDefinition &crossTab);

} // namespace velmora
