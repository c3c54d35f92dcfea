#include "engine/formula/FunctionArguments.h"

#include "engine/formula/EvaluationFault.h"
#include "engine/formula/FormulaErrors.h"

#include <cmath>

namespace velmora {

void FunctionArguments::fail(qint32 number, const QString &what) const
{
    raiseFault(number, QStringLiteral("%1: %2").arg(m_name, what));
}

void FunctionArguments::failArgument(int i, const QString &expected) const
{
    fail(FormulaErrors::TypeMismatch, QStringLiteral("l'argument %1 ha de ser %2").arg(i + 1).arg(expected));
}

double FunctionArguments::number(int i) const
{
    const Value &v = value(i);
    if (!v.isNumeric())
        failArgument(i, QStringLiteral("un nombre"));
    return v.toDouble();
}

qint64 FunctionArguments::whole(int i) const
{
    const Value &v = value(i);
    if (v.type() == ValueType::Integer)
        return v.asInteger();
    if (v.type() == ValueType::Currency)
        return v.asCurrency().units / Currency::scale;
    const double d = std::trunc(number(i));
    if (!(std::fabs(d) < 9.2e18))
        fail(FormulaErrors::NumericOverflow, QStringLiteral("l'argument %1 és massa gran").arg(i + 1));
    return qint64(d);
}

qint64 FunctionArguments::wholeWithin(int i, qint64 minimum, qint64 maximum) const
{
    const qint64 n = whole(i);
    if (n < minimum || n > maximum)
        fail(FormulaErrors::InvalidArgument,
             QStringLiteral("l'argument %1 ha d'estar entre %2 i %3, i és %4").arg(i + 1).arg(minimum).arg(maximum).arg(n));
    return n;
}

const QString &FunctionArguments::text(int i) const
{
    const Value &v = value(i);
    if (v.type() != ValueType::String)
        failArgument(i, QStringLiteral("un text"));
    return v.asString();
}

DateTime FunctionArguments::moment(int i) const
{
    const Value &v = value(i);
    if (!v.isTemporal())
        failArgument(i, QStringLiteral("una data o una hora"));
    return v.asDateTime();
}

} // namespace velmora
