#include "engine/data/TypedColumn.h"

namespace velmora {

namespace {
bool storesInt64(ValueType type)
{
    return type == ValueType::Integer || type == ValueType::Boolean || type == ValueType::Currency
        || type == ValueType::Date || type == ValueType::Time || type == ValueType::DateTime;
}
} // namespace

TypedColumn::TypedColumn(QString name, ValueType type) : m_name(std::move(name)), m_type(type) {}

void TypedColumn::reserve(qsizetype rows)
{
    m_null.reserve(size_t(rows));
    if (storesInt64(m_type))
        m_int64s.reserve(size_t(rows));
    else if (m_type == ValueType::Number)
        m_numbers.reserve(size_t(rows));
    else if (m_type == ValueType::String)
        m_strings.reserve(size_t(rows));
    else if (m_type == ValueType::Binary)
        m_binaries.reserve(size_t(rows));
}

void TypedColumn::appendNull()
{
    m_null.push_back(true);
    if (storesInt64(m_type))
        m_int64s.push_back(0);
    else if (m_type == ValueType::Number)
        m_numbers.push_back(0);
    else if (m_type == ValueType::String)
        m_strings.emplace_back();
    else if (m_type == ValueType::Binary)
        m_binaries.emplace_back();
}

void TypedColumn::appendInt64(qint64 v)
{
    m_null.push_back(false);
    m_int64s.push_back(v);
}

void TypedColumn::appendNumber(double v)
{
    m_null.push_back(false);
    m_numbers.push_back(v);
}

void TypedColumn::appendString(QString v)
{
    m_null.push_back(false);
    m_strings.push_back(std::move(v));
}

void TypedColumn::appendBinary(QByteArray v)
{
    m_null.push_back(false);
    m_binaries.push_back(std::move(v));
}

Value TypedColumn::value(int row) const
{
    if (isNull(row))
        return Value::null();
    const size_t r = size_t(row);
    switch (m_type) {
    case ValueType::Null: return Value::null();
    case ValueType::Boolean: return Value::boolean(m_int64s[r] != 0);
    case ValueType::Integer: return Value::integer(m_int64s[r]);
    case ValueType::Number: return Value::number(m_numbers[r]);
    case ValueType::Currency: return Value::currency(Currency{m_int64s[r]});
    case ValueType::String: return Value::string(m_strings[r]);
    case ValueType::Date: return Value::date(DateTime{m_int64s[r]});
    case ValueType::Time: return Value::time(DateTime{m_int64s[r]});
    case ValueType::DateTime: return Value::dateTime(DateTime{m_int64s[r]});
    case ValueType::Binary: return Value::binary(m_binaries[r]);
    }
    return Value::null();
}

std::optional<qint64> TypedColumn::int64At(int row) const
{
    if (!storesInt64(m_type) || isNull(row))
        return std::nullopt;
    return m_int64s[size_t(row)];
}

const QString &TypedColumn::stringAt(int row) const
{
    static const QString none;
    return m_type == ValueType::String ? m_strings[size_t(row)] : none;
}

std::optional<double> TypedColumn::numberAt(int row) const
{
    if (m_type != ValueType::Number || isNull(row))
        return std::nullopt;
    return m_numbers[size_t(row)];
}

} // namespace velmora
