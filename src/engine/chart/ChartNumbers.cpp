#include "engine/chart/ChartNumbers.h"

#include "engine/core/Value.h"
#include "engine/formula/ValueFormatter.h"

#include <cmath>

namespace velmora {

namespace {

QString patternWithDecimals(int decimals)
{
    return decimals > 0 ? QStringLiteral("#,##0.") + QString(decimals, u'0') : QStringLiteral("#,##0");
}

} // namespace

QString chartValueText(const ChartDefinition &chart, double value)
{
    return chartValueText(chart.valueFormat, value);
}

QString chartValueText(const QString &valueFormat, double value)
{
    if (!valueFormat.isEmpty())
        return formatValue(Value::number(value), valueFormat);
    const bool whole = std::abs(value - std::round(value)) < 1e-9 * std::max(1.0, std::abs(value));
    return formatValue(Value::number(value), patternWithDecimals(whole ? 0 : 2));
}

QString chartTickText(const ChartDefinition &chart, double value, int decimals, bool percent)
{
    if (percent)
        return formatValue(Value::number(value), patternWithDecimals(decimals)) + QStringLiteral(" %");
    if (!chart.valueFormat.isEmpty())
        return formatValue(Value::number(value), chart.valueFormat);
    return formatValue(Value::number(value), patternWithDecimals(decimals));
}

} // namespace velmora
