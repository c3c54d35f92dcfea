#include "engine/formula/ParameterValueReading.h"

#include "engine/formula/ValueComparison.h"
#include "engine/formula/ValueFormatter.h"

#include <QStringList>

#include <algorithm>

namespace velmora {

namespace {

bool above(const Value &subject, const Value &low, bool included)
{
    if (low.isNull())
        return true;
    const int order = compareValues(low, subject);
    return included ? order <= 0 : order < 0;
}

bool below(const Value &subject, const Value &high, bool included)
{
    if (high.isNull())
        return true;
    const int order = compareValues(subject, high);
    return included ? order <= 0 : order < 0;
}

bool inRange(const ValueRange &range, const Value &subject)
{
    return above(subject, range.low, range.lowIncluded) && below(subject, range.high, range.highIncluded);
}

/// The extreme of the values and of one end of each range: `sign` 1 for the
/// largest, -1 for the smallest. An open end wins outright and gives Null.
Value extreme(const ParameterValue &parameter, int sign)
{
    std::vector<Value> candidates = parameter.values;
    for (const ValueRange &range : parameter.ranges) {
        const Value &end = sign > 0 ? range.high : range.low;
        if (end.isNull())
            return Value();
        candidates.push_back(end);
    }
    if (candidates.empty())
        return Value();
    return *std::max_element(candidates.begin(), candidates.end(),
                             [sign](const Value &a, const Value &b) { return sign * compareValues(a, b) < 0; });
}

QString rangeText(const ValueRange &range)
{
    const QString low = formatValue(range.low);
    const QString high = formatValue(range.high);
    if (range.low.isNull())
        return QStringLiteral("fins a %1").arg(high);
    if (range.high.isNull())
        return QStringLiteral("des de %1").arg(low);
    return QStringLiteral("de %1 a %2").arg(low, high);
}

} // namespace

Value parameterHolds(const ParameterValue &parameter, const Value &subject)
{
    if (subject.isNull() || parameter.isEmpty())
        return Value();
    const bool listed = std::any_of(parameter.values.begin(), parameter.values.end(),
                                    [&](const Value &v) { return compareValues(subject, v) == 0; });
    return Value::boolean(listed || std::any_of(parameter.ranges.begin(), parameter.ranges.end(),
                                                [&](const ValueRange &r) { return inRange(r, subject); }));
}

Value parameterMinimum(const ParameterValue &parameter) { return extreme(parameter, -1); }

Value parameterMaximum(const ParameterValue &parameter) { return extreme(parameter, 1); }

Value parameterCount(const ParameterValue &parameter)
{
    return Value::integer(qint64(parameter.values.size() + parameter.ranges.size()));
}

Value parameterAsValue(const ParameterValue &parameter)
{
    if (parameter.isEmpty())
        return Value();
    if (parameter.isSingle())
        return parameter.first();
    return Value::string(parameterDisplayText(parameter));
}

QString parameterDisplayText(const ParameterValue &parameter)
{
    QStringList items;
    for (const Value &v : parameter.values)
        items << formatValue(v);
    for (const ValueRange &range : parameter.ranges)
        items << rangeText(range);
    return items.join(QStringLiteral(", "));
}

} // namespace velmora
