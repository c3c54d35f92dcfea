#include "engine/formula/FormulaLocation.h"

namespace velmora {

QString formulaLocation(const QString &formulaName, FormulaPosition position)
{
    const QString name = formulaName.isEmpty() ? QString() : QStringLiteral(" «%1»").arg(formulaName);
    return QStringLiteral("la fórmula%1, línia %2, columna %3").arg(name).arg(position.line).arg(position.column);
}

} // namespace velmora
