#include "engine/formula/TextConcatenation.h"

#include "engine/formula/EvaluationFault.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FormulaLimits.h"
#include "engine/formula/ValueFormatter.h"

namespace velmora {

namespace {

QString asText(const Value &v)
{
    return v.type() == ValueType::String ? v.asString() : formatValue(v);
}

} // namespace

void requireTextLength(qint64 length)
{
    if (length > FormulaLimits::maxStringLength)
        raiseFault(FormulaErrors::StringTooLong,
                   QStringLiteral("el text resultant passaria de %1 caràcters").arg(FormulaLimits::maxStringLength));
}

Value concatenateValues(const Value &a, const Value &b)
{
    const QString left = asText(a);
    const QString right = asText(b);
    requireTextLength(qint64(left.size()) + right.size());
    return Value::string(left + right);
}

} // namespace velmora
