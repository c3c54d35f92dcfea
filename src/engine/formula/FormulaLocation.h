#pragma once

#include "engine/formula/FormulaPosition.h"

#include <QString>

namespace velmora {

/// How every formula failure names its place: "la fórmula «Total», línia
/// 12, columna 7" (without the name when the formula has none).
QString formulaLocation(const QString &formulaName, FormulaPosition position);

} // namespace velmora
