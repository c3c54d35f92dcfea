#pragma once

#include "engine/formula/FunctionDefinition.h"

#include <span>

namespace velmora {

/// The function library by theme, each defined in its own source file.
std::span<const FunctionDefinition> textFunctions();
std::span<const FunctionDefinition> numberFunctions();
std::span<const FunctionDefinition> dateFunctions();
std::span<const FunctionDefinition> conversionFunctions();
std::span<const FunctionDefinition> colourFunctions();

} // namespace velmora
