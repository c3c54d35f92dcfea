#include "engine/definition/AttributeReader.h"

#include "engine/definition/DefinitionErrors.h"

#include <QRegularExpression>

#include <cmath>

namespace velmora {

using namespace DefinitionErrors;

AttributeReader::AttributeReader(const XmlWalker &walker) : m_walker(walker), m_attributes(walker.attributes())
{
}

bool AttributeReader::has(QStringView name) const
{
    return m_attributes.hasAttribute(name.toString());
}

std::optional<QString> AttributeReader::optional(QStringView name)
{
    if (!has(name))
        return std::nullopt;
    m_read.insert(name.toString());
    return m_attributes.value(name.toString()).toString();
}

QString AttributeReader::required(QStringView name)
{
    if (const auto value = optional(name))
        return *value;
    fail(MissingAttribute, QStringLiteral("a l'element <%1> li falta l'atribut obligatori «%2».")
                               .arg(m_walker.name(), name.toString()));
}

QString AttributeReader::text(QStringView name, const QString &fallback)
{
    return optional(name).value_or(fallback);
}

int AttributeReader::parseInteger(QStringView name, const QString &value, int minimum, int maximum) const
{
    static const QRegularExpression integerPattern(QStringLiteral("^-?[0-9]{1,10}$"));
    bool ok = integerPattern.match(value).hasMatch();
    const qint64 number = ok ? value.toLongLong(&ok) : 0;
    if (!ok || number < minimum || number > maximum)
        fail(BadNumber, QStringLiteral("l'atribut «%1» de <%2> ha de ser un nombre enter entre %3 i %4, no «%5».")
                            .arg(name.toString(), m_walker.name(), QString::number(minimum),
                                 QString::number(maximum), value));
    return int(number);
}

int AttributeReader::integer(QStringView name, int fallback, int minimum, int maximum)
{
    const auto value = optional(name);
    return value ? parseInteger(name, *value, minimum, maximum) : fallback;
}

int AttributeReader::requiredInteger(QStringView name, int minimum, int maximum)
{
    return parseInteger(name, required(name), minimum, maximum);
}

double AttributeReader::decimal(QStringView name, double fallback, double minimum, double maximum)
{
    static const QRegularExpression decimalPattern(QStringLiteral("^[0-9]{1,6}(\\.[0-9]{1,6})?$"));
    const auto value = optional(name);
    if (!value)
        return fallback;
    const double number = decimalPattern.match(*value).hasMatch() ? value->toDouble() : std::nan("");
    if (!(number >= minimum && number <= maximum))
        fail(BadNumber, QStringLiteral("l'atribut «%1» de <%2> ha de ser un nombre entre %3 i %4 (amb punt "
                                       "decimal), no «%5».")
                            .arg(name.toString(), m_walker.name(), QString::number(minimum),
                                 QString::number(maximum), *value));
    return number;
}

bool AttributeReader::boolean(QStringView name, bool fallback)
{
    const auto value = optional(name);
    if (!value)
        return fallback;
    if (*value == QLatin1String("true"))
        return true;
    if (*value == QLatin1String("false"))
        return false;
    fail(BadBoolean, QStringLiteral("l'atribut «%1» de <%2> ha de ser true o false, no «%3».")
                         .arg(name.toString(), m_walker.name(), *value));
}

std::optional<QRgb> AttributeReader::optionalColour(QStringView name)
{
    static const QRegularExpression colourPattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    const auto value = optional(name);
    if (!value)
        return std::nullopt;
    if (!colourPattern.match(*value).hasMatch())
        fail(BadColour, QStringLiteral("l'atribut «%1» de <%2> ha de ser un color #RRGGBB (per exemple "
                                       "#1F4E79), no «%3».")
                            .arg(name.toString(), m_walker.name(), *value));
    const uint rgb = value->mid(1).toUInt(nullptr, 16);
    return qRgb(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF);
}

QRgb AttributeReader::colour(QStringView name, QRgb fallback)
{
    return optionalColour(name).value_or(fallback);
}

void AttributeReader::failBadChoice(QStringView name, const QString &value, const QString &allowed) const
{
    fail(BadChoice, QStringLiteral("l'atribut «%1» de <%2> no admet «%3»; els valors possibles són: %4.")
                        .arg(name.toString(), m_walker.name(), value, allowed));
}

void AttributeReader::finish() const
{
    for (const auto &attribute : m_attributes) {
        const QString name = attribute.qualifiedName().toString();
        if (!m_read.contains(name))
            fail(UnknownAttribute, QStringLiteral("l'atribut «%1» no és conegut a l'element <%2>.")
                                       .arg(name, m_walker.name()));
    }
}

} // namespace velmora
