#include "engine/layout/PropertyPlan.h"

#include "engine/core/Failure.h"
#include "engine/definition/PropertyNames.h"
#include "engine/formula/TypeDescription.h"
#include "engine/layout/FormattingErrors.h"

namespace velmora {

namespace {

bool typeTaken(PropertyType property, ValueType type)
{
    switch (property) {
    case PropertyType::Boolean: return type == ValueType::Boolean;
    case PropertyType::Number:
        return type == ValueType::Integer || type == ValueType::Number || type == ValueType::Currency;
    case PropertyType::Colour:
    case PropertyType::OptionalColour:
    case PropertyType::Text:
    case PropertyType::Choice: return type == ValueType::String;
    }
    return false;
}

QString failureText(const PropertyPlan &plan, ValueType type)
{
    return QStringLiteral("La fórmula de la propietat «%1» de %2 dona %3, i ha de donar %4.")
        .arg(propertyName(plan.property), plan.owner, describeType(type), propertyTypeWords(plan.property));
}

} // namespace

QString propertyFormulaName(FormattedProperty property, const QString &owner)
{
    return QStringLiteral("%1 de %2").arg(propertyName(property), owner);
}

QString propertyTypeWords(FormattedProperty property)
{
    switch (propertyType(property)) {
    case PropertyType::Colour:
    case PropertyType::OptionalColour: return QStringLiteral("un color (un text «#RRGGBB», un nom de color o Color (r, g, b))");
    case PropertyType::Boolean: return QStringLiteral("un booleà (true o false)");
    case PropertyType::Number: return QStringLiteral("un nombre");
    case PropertyType::Text: return QStringLiteral("un text");
    case PropertyType::Choice: return QStringLiteral("un text amb una de les paraules de l'atribut");
    }
    return QString();
}

void checkPropertyResultType(const PropertyPlan &plan)
{
    const ValueType type = plan.formula.resultType();
    if (type != ValueType::Null && !typeTaken(propertyType(plan.property), type))
        throw Failure(FormattingErrors::PropertyTypeAtOpen, failureText(plan, type));
}

void checkPropertyValueType(const PropertyPlan &plan, const Value &value)
{
    if (!value.isNull() && !typeTaken(propertyType(plan.property), value.type()))
        throw Failure(FormattingErrors::PropertyType, failureText(plan, value.type()));
}

} // namespace velmora
