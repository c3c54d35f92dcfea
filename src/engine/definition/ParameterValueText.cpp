#include "engine/definition/ParameterValueText.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace velmora {

namespace {

const QString dateFormat = QStringLiteral("yyyy-MM-dd");
const QString timeFormat = QStringLiteral("HH:mm:ss");
const QString dateTimeFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

std::optional<Value> parseNumber(const QString &text)
{
    static const QRegularExpression numberPattern(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?([eE][-+]?[0-9]+)?$"));
    const double number = numberPattern.match(text).hasMatch() ? text.toDouble() : std::nan("");
    return std::isfinite(number) ? std::optional(Value::number(number)) : std::nullopt;
}

std::optional<Value> parseInteger(const QString &text)
{
    static const QRegularExpression integerPattern(QStringLiteral("^-?[0-9]+$"));
    bool ok = integerPattern.match(text).hasMatch();
    const qint64 number = ok ? text.toLongLong(&ok) : 0;
    return ok ? std::optional(Value::integer(number)) : std::nullopt;
}

std::optional<Value> parseCurrency(const QString &text)
{
    static const QRegularExpression currencyPattern(QStringLiteral("^-?[0-9]+(\\.[0-9]{1,4})?$"));
    const auto amount = currencyPattern.match(text).hasMatch() ? Currency::fromString(text) : std::nullopt;
    return amount ? std::optional(Value::currency(*amount)) : std::nullopt;
}

std::optional<Value> parseTemporal(ValueType type, const QString &text)
{
    switch (type) {
    case ValueType::Date: {
        const QDate date = QDate::fromString(text, dateFormat);
        return date.isValid() ? std::optional(Value::date(DateTime::fromDate(date))) : std::nullopt;
    }
    case ValueType::Time: {
        const QTime time = QTime::fromString(text, timeFormat);
        return time.isValid() ? std::optional(Value::time(DateTime::fromTime(time))) : std::nullopt;
    }
    default: {
        const QDateTime moment = QDateTime::fromString(text, dateTimeFormat);
        return moment.isValid() ? std::optional(Value::dateTime(DateTime::fromDateAndTime(moment.date(), moment.time())))
                                : std::nullopt;
    }
    }
}

} // namespace

std::optional<Value> parseParameterValue(ValueType type, const QString &text)
{
    switch (type) {
    case ValueType::String: return Value::string(text);
    case ValueType::Boolean:
        if (text == QLatin1String("true") || text == QLatin1String("false"))
            return Value::boolean(text == QLatin1String("true"));
        return std::nullopt;
    case ValueType::Integer: return parseInteger(text);
    case ValueType::Number: return parseNumber(text);
    case ValueType::Currency: return parseCurrency(text);
    case ValueType::Date:
    case ValueType::Time:
    case ValueType::DateTime: return parseTemporal(type, text);
    case ValueType::Null:
    case ValueType::Binary: return std::nullopt;
    }
    return std::nullopt;
}

QString parameterValueText(const Value &value)
{
    switch (value.type()) {
    case ValueType::Boolean: return value.asBoolean() ? QStringLiteral("true") : QStringLiteral("false");
    case ValueType::Number: return QString::number(value.asNumber(), 'g', QLocale::FloatingPointShortest);
    case ValueType::Date: return value.asDateTime().date().toString(dateFormat);
    case ValueType::Time: return value.asDateTime().time().toString(timeFormat);
    case ValueType::DateTime: return value.asDateTime().toQDateTime().toString(dateTimeFormat);
    default: return value.toDebugText();
    }
}

} // namespace velmora
