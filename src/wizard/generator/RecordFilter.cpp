#include "wizard/generator/RecordFilter.h"

#include "engine/core/Failure.h"
#include "engine/definition/ParameterValueText.h"
#include "wizard/generator/WizardErrors.h"

#include <QDate>
#include <QRegularExpression>

#include <array>

namespace velmora::wizard {

namespace {

struct ComparisonWords {
    Comparison comparison;
    const char16_t *key;
    const char16_t *label;
    const char16_t *op; ///< the formula's operator; empty for the text patterns
};

constexpr std::array<ComparisonWords, 8> comparisonWords = {{
    {Comparison::Equal, u"equal", u"és igual a", u"="},
    {Comparison::NotEqual, u"notEqual", u"és diferent de", u"<>"},
    {Comparison::Less, u"less", u"és menor que", u"<"},
    {Comparison::LessOrEqual, u"lessOrEqual", u"és menor o igual que", u"<="},
    {Comparison::Greater, u"greater", u"és major que", u">"},
    {Comparison::GreaterOrEqual, u"greaterOrEqual", u"és major o igual que", u">="},
    {Comparison::StartsWith, u"startsWith", u"comença per", u""},
    {Comparison::Contains, u"contains", u"conté", u""},
}};

const ComparisonWords &wordsOf(Comparison comparison)
{
    for (const ComparisonWords &words : comparisonWords)
        if (words.comparison == comparison)
            return words;
    return comparisonWords.front();
}

QString quoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(u'"', QStringLiteral("\"\""));
    return u'"' + doubled + u'"';
}

/// The pattern characters of `like` taken as themselves.
QString escapedPattern(const QString &text)
{
    QString plain = text;
    plain.remove(u'*').remove(u'?');
    return plain;
}

[[noreturn]] void refuse(const ConditionChoice &condition, const QString &what)
{
    throw Failure(WizardErrors::BadConditionValue,
                  QStringLiteral("El valor «%1» de la condició sobre %2 no és %3.")
                      .arg(condition.value, condition.field.reference(), what));
}

std::optional<QDate> dateFrom(const QString &text)
{
    for (const auto *format : {"dd/MM/yyyy", "d/M/yyyy", "yyyy-MM-dd"}) {
        const QDate date = QDate::fromString(text, QLatin1String(format));
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

/// The value typed as a number, with a comma or a full stop for decimals.
QString numberText(const ConditionChoice &condition, bool whole)
{
    QString text = condition.value.trimmed();
    text.replace(u',', u'.');
    static const QRegularExpression wholePattern(QStringLiteral("^-?[0-9]{1,18}$"));
    static const QRegularExpression decimalPattern(QStringLiteral("^-?[0-9]{1,15}(\\.[0-9]{1,4})?$"));
    if (!(whole ? wholePattern : decimalPattern).match(text).hasMatch())
        refuse(condition, whole ? QStringLiteral("un nombre enter") : QStringLiteral("un nombre"));
    return text;
}

/// The value as a formula literal of the field's type.
QString literal(const ConditionChoice &condition, ValueType type)
{
    if (comparesText(condition.comparison))
        return quoted(escapedPattern(condition.value));
    switch (type) {
    case ValueType::Integer: return numberText(condition, true);
    case ValueType::Number:
    case ValueType::Currency: return numberText(condition, false);
    case ValueType::Boolean: {
        const QString word = condition.value.trimmed().toLower();
        if (word == u"sí" || word == u"si" || word == u"true")
            return QStringLiteral("True");
        if (word == u"no" || word == u"false")
            return QStringLiteral("False");
        refuse(condition, QStringLiteral("«sí» ni «no»"));
    }
    case ValueType::Date:
    case ValueType::DateTime: {
        const auto date = dateFrom(condition.value.trimmed());
        if (!date)
            refuse(condition, QStringLiteral("una data (dd/mm/aaaa)"));
        return QStringLiteral("Date(%1, %2, %3)").arg(date->year()).arg(date->month()).arg(date->day());
    }
    default: return quoted(condition.value);
    }
}

/// The value in the parameter value text form of the report format.
QString parameterDefault(const ConditionChoice &condition, ValueType type)
{
    if (condition.value.trimmed().isEmpty())
        return QString();
    if (comparesText(condition.comparison))
        return condition.value;
    const QString asLiteral = literal(condition, type);
    switch (type) {
    case ValueType::Boolean: return asLiteral.toLower();
    case ValueType::Date:
    case ValueType::DateTime: return dateFrom(condition.value.trimmed())->toString(Qt::ISODate);
    case ValueType::String: return condition.value;
    default: return asLiteral;
    }
}

QString comparisonText(const ConditionChoice &condition, const QString &field, const QString &operand)
{
    switch (condition.comparison) {
    case Comparison::StartsWith: return field + QStringLiteral(" like ") + operand + QStringLiteral(" & \"*\"");
    case Comparison::Contains:
        return field + QStringLiteral(" like \"*\" & ") + operand + QStringLiteral(" & \"*\"");
    default: return field + u' ' + QString::fromUtf16(wordsOf(condition.comparison).op) + u' ' + operand;
    }
}

/// A parameter name not used yet: the field's name, then "Pais 2"...
QString freeName(const QString &base, const std::vector<ParameterDefinition> &taken)
{
    QString name = base;
    for (int n = 2;; ++n) {
        const bool used = std::any_of(taken.begin(), taken.end(),
                                      [&](const ParameterDefinition &p) { return p.name == name; });
        if (!used)
            return name;
        name = base + u' ' + QString::number(n);
    }
}

ValueType parameterTypeOf(ValueType type)
{
    return type == ValueType::DateTime ? ValueType::Date : type;
}

} // namespace

RecordFilter buildRecordFilter(const std::vector<ConditionChoice> &conditions, const DatabaseCatalog &catalog)
{
    RecordFilter filter;
    QStringList parts;
    for (const ConditionChoice &condition : conditions) {
        const ColumnSchema *column = catalog.column(condition.field);
        if (!column)
            throw Failure(WizardErrors::UnknownField, QStringLiteral("La condició nomena el camp %1, que no és a "
                                                                     "les taules triades.")
                                                          .arg(condition.field.reference()));
        const ValueType type = comparesText(condition.comparison) ? ValueType::String : column->valueType;
        const QString field = condition.field.reference();
        if (!condition.askWhenRun) {
            parts << comparisonText(condition, field, literal(condition, type));
            continue;
        }
        ParameterDefinition parameter;
        parameter.name = freeName(condition.field.field, filter.parameters);
        parameter.type = parameterTypeOf(type);
        parameter.prompt = condition.field.field + u' ' + comparisonLabel(condition.comparison);
        parameter.optional = true;
        const QString offered = parameterDefault(condition, type);
        if (!offered.isEmpty())
            if (const auto value = parseParameterValue(parameter.type, offered))
                parameter.defaultValue = ParameterValue(*value);
        filter.parameters.push_back(parameter);
        const QString reference = u"{?" + parameter.name + u'}';
        parts << u"(IsNull(" + reference + u") or " + comparisonText(condition, field, reference) + u')';
    }
    filter.selection.text = parts.join(QStringLiteral(" and "));
    return filter;
}

QString comparisonLabel(Comparison comparison)
{
    return QString::fromUtf16(wordsOf(comparison).label);
}

QString comparisonKey(Comparison comparison)
{
    return QString::fromUtf16(wordsOf(comparison).key);
}

std::optional<Comparison> comparisonFromKey(const QString &key)
{
    for (const ComparisonWords &words : comparisonWords)
        if (key == QStringView(words.key))
            return words.comparison;
    return std::nullopt;
}

bool comparesText(Comparison comparison)
{
    return comparison == Comparison::StartsWith || comparison == Comparison::Contains;
}

} // namespace velmora::wizard
