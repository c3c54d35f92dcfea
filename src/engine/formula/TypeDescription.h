#pragma once

#include "engine/core/Value.h"

#include <QString>

namespace velmora {

/// A value type as failure messages name it in Catalan: "un text", "una data".
QString describeType(ValueType type);

} // namespace velmora
