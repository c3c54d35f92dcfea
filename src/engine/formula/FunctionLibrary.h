#pragma once

#include "engine/formula/FunctionDefinition.h"

#include <QStringView>

namespace velmora {

/// The functions a formula may call, found by name in any case; nullptr for
/// a name that is no function.
const FunctionDefinition *findFunction(QStringView name);

} // namespace velmora
