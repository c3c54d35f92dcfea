#include "engine/report/PromptValueText.h"

#include "engine/definition/ParameterValueText.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>

namespace velmora {

namespace {

const QString dateFormat = QStringLiteral("dd/MM/yyyy");
const QString timeFormat = QStringLiteral("HH:mm:ss");

/// "1.234,5" as the report file writes it, "1234.5"; nothing when the
/// full stops do not group thousands.
std::optional<QString> withDecimalPoint(const QString &text, int maxDecimals)
{
    static const QRegularExpression grouped(QStringLiteral("^-?([0-9]{1,3}(\\.[0-9]{3})*|[0-9]+)(,[0-9]+)?$"));
    const QRegularExpressionMatch match = grouped.match(text);
    if (!match.hasMatch() || (match.capturedLength(3) - 1) > maxDecimals)
        return std::nullopt;
    QString plain = text;
    return plain.remove(u'.').replace(u',', u'.');
}

std::optional<QTime> readTime(const QString &text)
{
    for (const QString &format : {timeFormat, QStringLiteral("HH:mm"), QStringLiteral("H:mm"), QStringLiteral("H:mm:ss")}) {
        const QTime time = QTime::fromString(text, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

std::optional<QDate> readDate(const QString &text)
{
    for (const QString &format : {dateFormat, QStringLiteral("d/M/yyyy")}) {
        const QDate date = QDate::fromString(text, format);
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

std::optional<Value> readTemporal(ValueType type, const QString &text)
{
    if (type == ValueType::Time) {
        const auto time = readTime(text);
        return time ? std::optional(Value::time(DateTime::fromTime(*time))) : std::nullopt;
    }
    const QStringList parts = text.split(u' ', Qt::SkipEmptyParts);
    const auto date = parts.isEmpty() ? std::nullopt : readDate(parts.front());
    if (type == ValueType::Date)
        return date && parts.size() == 1 ? std::optional(Value::date(DateTime::fromDate(*date))) : std::nullopt;
    const auto time = parts.size() == 2 ? readTime(parts.back()) : std::optional(QTime(0, 0));
    if (!date || !time || parts.size() > 2)
        return std::nullopt;
    return Value::dateTime(DateTime::fromDateAndTime(*date, *time));
}

std::optional<Value> readNumeric(ValueType type, const QString &text)
{
    const int decimals = type == ValueType::Integer ? 0 : type == ValueType::Currency ? 4 : 15;
    const auto plain = withDecimalPoint(text, decimals);
    return plain ? parseParameterValue(type, *plain) : std::nullopt;
}

} // namespace

QString promptText(const Value &value)
{
    switch (value.type()) {
    case ValueType::Number:
    case ValueType::Currency: return parameterValueText(value).replace(u'.', u',');
    case ValueType::Date: return value.asDateTime().date().toString(dateFormat);
    case ValueType::Time: return value.asDateTime().time().toString(timeFormat);
    case ValueType::DateTime:
        return value.asDateTime().date().toString(dateFormat) + u' ' + value.asDateTime().time().toString(timeFormat);
    case ValueType::Null: return QString();
    default: return parameterValueText(value);
    }
}

std::optional<Value> readPromptText(ValueType type, const QString &text)
{
    const QString trimmed = text.trimmed();
    switch (type) {
    case ValueType::String: return Value::string(text);
    case ValueType::Integer:
    case ValueType::Number:
    case ValueType::Currency: return readNumeric(type, trimmed);
    case ValueType::Date:
    case ValueType::Time:
    case ValueType::DateTime: return readTemporal(type, trimmed);
    case ValueType::Boolean:
        if (trimmed == QLatin1String("Cert") || trimmed == QLatin1String("Fals"))
            return Value::boolean(trimmed == QLatin1String("Cert"));
        return std::nullopt;
    default: return std::nullopt;
    }
}

QString promptTextNeed(ValueType type)
{
    switch (type) {
    case ValueType::Integer: return QStringLiteral("un nombre enter");
    case ValueType::Number: return QStringLiteral("un nombre, amb coma decimal");
    case ValueType::Currency: return QStringLiteral("un import amb coma decimal i com a molt quatre decimals");
    case ValueType::Date: return QStringLiteral("una data dd/mm/aaaa");
    case ValueType::Time: return QStringLiteral("una hora hh:mm:ss");
    case ValueType::DateTime: return QStringLiteral("una data i hora dd/mm/aaaa hh:mm:ss");
    case ValueType::Boolean: return QStringLiteral("Cert o Fals");
    default: return QStringLiteral("un text");
    }
}

} // namespace velmora
