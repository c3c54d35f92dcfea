#include "engine/layout/PropertyApplier.h"

#include "engine/core/Failure.h"
#include "engine/definition/BorderSides.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/PropertyNames.h"
#include "engine/formula/ColourText.h"
#include "engine/formula/ValueFormatter.h"
#include "engine/layout/FormattingErrors.h"

#include <cmath>

namespace velmora {

namespace {

using P = FormattedProperty;

Value colourValue(QRgb rgb) { return Value::string(colourToText(rgb)); }
Value optionalColourValue(std::optional<QRgb> rgb) { return Value::string(rgb ? colourToText(*rgb) : QString()); }

} // namespace

Value PropertyApplier::designBackground(std::optional<QRgb> background) { return optionalColourValue(background); }

Value PropertyApplier::designValueOf(FormattedProperty property, const ObjectLook &look, bool isBox)
{
    const ObjectFormat &f = look.format;
    switch (property) {
    case P::Color: return colourValue(f.color);
    case P::Background:
        return optionalColourValue(!isBox || look.boxFilled ? f.background : std::nullopt);
    case P::Bold: return Value::boolean(f.font.bold);
    case P::Italic: return Value::boolean(f.font.italic);
    case P::Underline: return Value::boolean(f.font.underline);
    case P::StrikeOut: return Value::boolean(f.font.strikeOut);
    case P::FontSize: return Value::number(f.font.pointSize);
    case P::FontFamily: return Value::string(f.font.family);
    case P::Alignment: return Value::string(nameOf(alignmentNames(), f.alignment));
    case P::Border: return Value::string(borderSidesText(f.border));
    case P::BorderColor: return colourValue(f.border.color);
    case P::BorderWidth: return Value::integer(f.border.width);
    case P::ValueFormat: return Value::string(f.valueFormat);
    case P::MaxLines: return Value::integer(f.maxLines);
    case P::LineWidth: return Value::integer(look.lineWidth);
    case P::LineStyle: return Value::string(nameOf(lineStyleNames(), look.lineStyle));
    case P::Link: return Value::string(look.link);
    }
    return Value();
}

namespace {

[[noreturn]] void refuse(const PropertyPlan &plan, const QString &value, const QString &allowed)
{
    throw Failure(FormattingErrors::PropertyValue,
                  QStringLiteral("La fórmula de la propietat «%1» de %2 dona «%3», que no hi val: %4.")
                      .arg(propertyName(plan.property), plan.owner, value, allowed));
}

QRgb colourOf(const PropertyPlan &plan, const QString &text)
{
    const auto rgb = colourFromText(text);
    if (!rgb)
        refuse(plan, text, QStringLiteral("cal un color «#RRGGBB» o un dels noms de color"));
    return *rgb;
}

double numberWithin(const PropertyPlan &plan, const Value &value, double minimum, double maximum)
{
    const double n = value.toDouble();
    if (!std::isfinite(n) || n < minimum || n > maximum)
        refuse(plan, formatValue(value, QString()),
               QStringLiteral("cal un nombre entre %1 i %2").arg(minimum).arg(maximum));
    return n;
}

template<typename Enum>
Enum wordOf(const PropertyPlan &plan, std::span<const EnumName<Enum>> names, const QString &text)
{
    const auto found = valueOf(names, text.trimmed());
    if (!found)
        refuse(plan, text, QStringLiteral("cal una d'aquestes paraules: ") + nameList(names));
    return *found;
}

} // namespace

Value PropertyApplier::evaluate(const PropertyPlan &plan, const Value &objectValue)
{
    m_context.setFormattingValues(plan.designValue, objectValue);
    Value result = m_context.evaluate(plan.formula);
    checkPropertyValueType(plan, result);
    return result;
}

void PropertyApplier::apply(const std::vector<PropertyPlan> &plans, const Value &objectValue, bool isBox,
                            ObjectLook &look)
{
    bool linkGiven = false;
    for (const PropertyPlan &plan : plans) {
        const Value value = evaluate(plan, objectValue);
        if (!value.isNull())
            put(plan, value, isBox, look);
        linkGiven = linkGiven || plan.property == P::Link;
    }
    if (linkGiven)
        look.keepFollowableLink();
}

std::optional<QRgb> PropertyApplier::background(const std::vector<PropertyPlan> &plans, std::optional<QRgb> fixed,
                                                const Value &objectValue)
{
    for (const PropertyPlan &plan : plans) {
        const Value value = evaluate(plan, objectValue);
        if (value.isNull())
            continue;
        const QString text = value.asString().trimmed();
        fixed = text.isEmpty() ? std::nullopt : std::optional<QRgb>(colourOf(plan, text));
    }
    return fixed;
}

void PropertyApplier::put(const PropertyPlan &plan, const Value &value, bool isBox, ObjectLook &look)
{
    constexpr double largestFontSize = 1638;
    ObjectFormat &f = look.format;
    const auto text = [&] { return value.asString(); };
    const auto twips = [&](double maximum) { return Twips(std::lround(numberWithin(plan, value, 0, maximum))); };
    switch (plan.property) {
    case P::Color:
        if (!text().trimmed().isEmpty())
            f.color = colourOf(plan, text());
        return;
    case P::Background: {
        const bool none = text().trimmed().isEmpty();
        f.background = none ? std::nullopt : std::optional<QRgb>(colourOf(plan, text()));
        if (isBox)
            look.boxFilled = !none;
        return;
    }
    case P::Bold: f.font.bold = value.asBoolean(); return;
    case P::Italic: f.font.italic = value.asBoolean(); return;
    case P::Underline: f.font.underline = value.asBoolean(); return;
    case P::StrikeOut: f.font.strikeOut = value.asBoolean(); return;
    case P::FontSize: f.font.pointSize = numberWithin(plan, value, 1, largestFontSize); return;
    case P::FontFamily:
        if (!text().trimmed().isEmpty())
            f.font.family = text().trimmed();
        return;
    case P::Alignment: f.alignment = wordOf(plan, alignmentNames(), text()); return;
    case P::Border: {
        const auto sides = withBorderSides(f.border, text());
        if (!sides)
            refuse(plan, text(), QStringLiteral("cal «all», «» o una llista de left, top, right i bottom"));
        f.border = *sides;
        return;
    }
    case P::BorderColor:
        if (!text().trimmed().isEmpty())
            f.border.color = colourOf(plan, text());
        return;
    case P::BorderWidth: f.border.width = twips(maximumLength); return;
    case P::ValueFormat: f.valueFormat = text(); return;
    case P::MaxLines: f.maxLines = int(twips(10000)); return;
    case P::LineWidth: look.lineWidth = twips(maximumLength); return;
    case P::LineStyle: look.lineStyle = wordOf(plan, lineStyleNames(), text()); return;
    case P::Link: look.link = text(); return;
    }
}

} // namespace velmora
