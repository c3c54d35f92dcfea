#include "engine/formula/ValueFormatter.h"

#include "engine/formula/DatePattern.h"
#include "engine/formula/NumberPattern.h"

#include <unordered_map>

namespace velmora {

namespace {

QString formatBoolean(bool value, const QString &format)
{
    const qsizetype separator = format.indexOf(u';');
    if (separator < 0)
        return value ? QStringLiteral("Cert") : QStringLiteral("Fals");
    return value ? format.left(separator) : format.mid(separator + 1);
}

bool isNumericType(ValueType type)
{
    return type == ValueType::Integer || type == ValueType::Number || type == ValueType::Currency;
}

bool isTemporalType(ValueType type)
{
    return type == ValueType::Date || type == ValueType::Time || type == ValueType::DateTime;
}

} // namespace

QString defaultFormat(ValueType type)
{
    switch (type) {
    case ValueType::Integer: return QStringLiteral("0");
    case ValueType::Number: return QStringLiteral("#,##0.##");
    case ValueType::Currency: return QStringLiteral("#,##0.00");
    case ValueType::Date: return QStringLiteral("dd/MM/yyyy");
    case ValueType::Time: return QStringLiteral("HH:mm:ss");
    case ValueType::DateTime: return QStringLiteral("dd/MM/yyyy HH:mm:ss");
    default: return QString();
    }
}

namespace {

/// Reports format thousands of values with the same few patterns: parse each
/// pattern once per thread.
template<typename Pattern>
const Pattern &cachedPattern(const QString &text)
{
    thread_local std::unordered_map<QString, Pattern> cache;
    auto it = cache.find(text);
    if (it == cache.end()) {
        if (cache.size() > 256)
            cache.clear();
        it = cache.emplace(text, Pattern(text)).first;
    }
    return it->second;
}

} // namespace

QString formatValue(const Value &value, const QString &format)
{
    const QString pattern = format.isEmpty() ? defaultFormat(value.type()) : format;
    switch (value.type()) {
    case ValueType::Null:
    case ValueType::Binary: return QString();
    case ValueType::String: return value.asString();
    case ValueType::Boolean: return formatBoolean(value.asBoolean(), format);
    case ValueType::Integer:
    case ValueType::Number:
    case ValueType::Currency: return cachedPattern<NumberPattern>(pattern).format(value);
    case ValueType::Date:
    case ValueType::Time:
    case ValueType::DateTime: return cachedPattern<DatePattern>(pattern).format(value.asDateTime());
    }
    return QString();
}

QString spreadsheetFormat(ValueType type, const QString &format)
{
    if (type == ValueType::String)
        return QStringLiteral("@");
    // "#,##0.##" would leave a bare decimal point after whole numbers in a spreadsheet.
    if (type == ValueType::Number && format.isEmpty())
        return QStringLiteral("General");
    const QString pattern = format.isEmpty() ? defaultFormat(type) : format;
    if (isNumericType(type))
        return cachedPattern<NumberPattern>(pattern).spreadsheetCode();
    if (isTemporalType(type))
        return cachedPattern<DatePattern>(pattern).spreadsheetCode();
    return QStringLiteral("General");
}

} // namespace velmora
