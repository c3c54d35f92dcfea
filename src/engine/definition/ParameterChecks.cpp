#include "engine/definition/ParameterChecks.h"

#include "engine/definition/ParameterValueText.h"

#include <algorithm>

namespace velmora {

namespace {

bool isChoice(std::span<const PickValue> choices, const Value &value)
{
    return std::any_of(choices.begin(), choices.end(), [&](const PickValue &choice) { return choice.value == value; });
}

QString notAChoice(const ParameterDefinition &parameter, const Value &value)
{
    return QStringLiteral("el valor «%1» no és a la llista del paràmetre «%2», que només admet els seus valors.")
        .arg(parameterValueText(value), parameter.name);
}

} // namespace

QString outsideChoices(const ParameterDefinition &parameter, std::span<const PickValue> choices,
                       const ParameterValue &value)
{
    if (!parameter.closedList || choices.empty())
        return QString();
    for (const Value &v : value.values)
        if (!isChoice(choices, v))
            return notAChoice(parameter, v);
    for (const ValueRange &range : value.ranges)
        for (const Value &bound : {range.low, range.high})
            if (!bound.isNull() && !isChoice(choices, bound))
                return notAChoice(parameter, bound);
    return QString();
}

QString missingValue(const ParameterDefinition &parameter, const ParameterValue &value)
{
    if (!value.isEmpty() || parameter.optional)
        return QString();
    return QStringLiteral("el paràmetre «%1» és obligatori i no té cap valor.").arg(parameter.name);
}

} // namespace velmora
