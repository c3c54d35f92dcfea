#pragma once

#include "engine/definition/AttributeReader.h"

#include <QString>

namespace velmora {

/// Reads a name attribute and refuses names that formulas could not write
/// between braces (empty, or holding "{" or "}").
QString readName(AttributeReader &attributes, QStringView attribute = u"name");

/// Refuses `name` when `alreadyUsed`, with failure `number` and `what` names
/// the kind of thing ("la fórmula").
void refuseDuplicate(const AttributeReader &attributes, bool alreadyUsed, qint32 number, const QString &what,
                     const QString &name);

} // namespace velmora
