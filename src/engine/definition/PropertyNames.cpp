#include "engine/definition/PropertyNames.h"

#include <QStringList>

namespace velmora {

namespace {

using P = FormattedProperty;

struct PropertyEntry {
    P property;
    QStringView name;
    PropertyType type;
};

constexpr PropertyEntry properties[] = {
    {P::Color, u"color", PropertyType::Colour},
    {P::Background, u"background", PropertyType::OptionalColour},
    {P::Bold, u"bold", PropertyType::Boolean},
    {P::Italic, u"italic", PropertyType::Boolean},
    {P::Underline, u"underline", PropertyType::Boolean},
    {P::StrikeOut, u"strikeOut", PropertyType::Boolean},
    {P::FontSize, u"size", PropertyType::Number},
    {P::FontFamily, u"font", PropertyType::Text},
    {P::Alignment, u"align", PropertyType::Choice},
    {P::Border, u"border", PropertyType::Choice},
    {P::BorderColor, u"borderColor", PropertyType::Colour},
    {P::BorderWidth, u"borderWidth", PropertyType::Number},
    {P::ValueFormat, u"format", PropertyType::Text},
    {P::MaxLines, u"maxLines", PropertyType::Number},
    {P::LineWidth, u"lineWidth", PropertyType::Number},
    {P::LineStyle, u"lineStyle", PropertyType::Choice},
    {P::Link, u"link", PropertyType::Text},
};

const PropertyEntry &entryOf(P property)
{
    for (const PropertyEntry &entry : properties)
        if (entry.property == property)
            return entry;
    return properties[0];
}

bool isFrameProperty(P p) { return p == P::Background || p == P::Border || p == P::BorderColor || p == P::BorderWidth; }
bool isStrokeProperty(P p) { return p == P::Color || p == P::LineWidth || p == P::LineStyle; }

} // namespace

QString propertyName(FormattedProperty property) { return entryOf(property).name.toString(); }

std::optional<FormattedProperty> propertyNamed(QStringView name)
{
    for (const PropertyEntry &entry : properties)
        if (entry.name == name)
            return entry.property;
    return std::nullopt;
}

PropertyType propertyType(FormattedProperty property) { return entryOf(property).type; }

bool propertyApplies(FormattedProperty property, std::optional<ReportObject::Kind> kind)
{
    if (!kind)
        return property == P::Background;
    switch (*kind) {
    case ReportObject::Kind::Field:
    case ReportObject::Kind::Text: return !isStrokeProperty(property) || property == P::Color;
    case ReportObject::Kind::Line: return isStrokeProperty(property);
    case ReportObject::Kind::Box: return isStrokeProperty(property) || property == P::Background;
    case ReportObject::Kind::Picture: return isFrameProperty(property) || property == P::Link;
    case ReportObject::Kind::Subreport:
    case ReportObject::Kind::CrossTab:
    case ReportObject::Kind::Chart: return false;
    }
    return false;
}

QString propertyList(std::optional<ReportObject::Kind> kind)
{
    QStringList names;
    for (const PropertyEntry &entry : properties)
        if (propertyApplies(entry.property, kind))
            names << entry.name.toString();
    return names.join(QStringLiteral(", "));
}

} // namespace velmora
