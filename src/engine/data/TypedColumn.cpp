#include "engine/data/TypedColumn.h"

#include <limits>

namespace velmora {

namespace {
bool storesInt64(ValueType type)
{
    return type == ValueType::Integer || type == ValueType::Boolean || type == ValueType::Currency
        || type == ValueType::Date || type == ValueType::Time || type == ValueType::DateTime;
}

bool fitsIn32Bits(qint64 v)
{
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

template<typename T>
void appendAll(std::vector<T> &to, std::vector<T> &&from)
{
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
    from = {};
}
} // namespace

TypedColumn::TypedColumn(QString name, ValueType type) : m_name(std::move(name)), m_type(type) {}

void TypedColumn::reserve(qsizetype rows)
{
    m_null.reserve(size_t(rows));
    if (storesInt64(m_type))
        m_int32s.reserve(size_t(rows));
    else if (m_type == ValueType::Number)
        m_numbers.reserve(size_t(rows));
    else if (m_type == ValueType::String)
        m_texts.reserve(rows);
    else if (m_type == ValueType::Binary)
        m_binaries.reserve(size_t(rows));
}

void TypedColumn::widen()
{
    m_int64s.reserve(m_int32s.capacity());
    m_int64s.assign(m_int32s.begin(), m_int32s.end());
    m_int32s = {};
    m_wide = true;
}

void TypedColumn::appendNull()
{
    if (storesInt64(m_type))
        appendInt64(0);
    else if (m_type == ValueType::Number)
        appendNumber(0);
    else if (m_type == ValueType::String)
        appendString(QString());
    else if (m_type == ValueType::Binary)
        appendBinary(QByteArray());
    else
        m_null.push_back(false);
    m_null.back() = true;
}

void TypedColumn::appendInt64(qint64 v)
{
    m_null.push_back(false);
    if (!m_wide && !fitsIn32Bits(v))
        widen();
    if (m_wide)
        m_int64s.push_back(v);
    else
        m_int32s.push_back(qint32(v));
}

void TypedColumn::appendNumber(double v)
{
    m_null.push_back(false);
    m_numbers.push_back(v);
}

void TypedColumn::appendString(QString v)
{
    m_null.push_back(false);
    m_texts.append(std::move(v));
}

void TypedColumn::appendBinary(QByteArray v)
{
    m_null.push_back(false);
    m_binaries.push_back(std::move(v));
}

void TypedColumn::appendRows(TypedColumn &&other)
{
    m_null.insert(m_null.end(), other.m_null.begin(), other.m_null.end());
    other.m_null = {};
    if (other.m_wide && !m_wide)
        widen();
    if (m_wide && !other.m_wide)
        m_int64s.insert(m_int64s.end(), other.m_int32s.begin(), other.m_int32s.end());
    else if (m_wide)
        appendAll(m_int64s, std::move(other.m_int64s));
    else
        appendAll(m_int32s, std::move(other.m_int32s));
    appendAll(m_numbers, std::move(other.m_numbers));
    m_texts.appendRows(std::move(other.m_texts));
    appendAll(m_binaries, std::move(other.m_binaries));
}

void TypedColumn::finish()
{
    m_null.shrink_to_fit();
    m_int32s.shrink_to_fit();
    m_int64s.shrink_to_fit();
    m_numbers.shrink_to_fit();
    m_texts.finish();
    m_binaries.shrink_to_fit();
}

Value TypedColumn::value(int row) const
{
    if (isNull(row))
        return Value::null();
    const size_t r = size_t(row);
    switch (m_type) {
    case ValueType::Null: return Value::null();
    case ValueType::Boolean: return Value::boolean(integerAt(r) != 0);
    case ValueType::Integer: return Value::integer(integerAt(r));
    case ValueType::Number: return Value::number(m_numbers[r]);
    case ValueType::Currency: return Value::currency(Currency{integerAt(r)});
    case ValueType::String: return Value::string(m_texts.at(row));
    case ValueType::Date: return Value::date(DateTime{integerAt(r)});
    case ValueType::Time: return Value::time(DateTime{integerAt(r)});
    case ValueType::DateTime: return Value::dateTime(DateTime{integerAt(r)});
    case ValueType::Binary: return Value::binary(m_binaries[r]);
    }
    return Value::null();
}

std::optional<qint64> TypedColumn::int64At(int row) const
{
    if (!storesInt64(m_type) || isNull(row))
        return std::nullopt;
    return integerAt(size_t(row));
}

const QString &TypedColumn::stringAt(int row) const
{
    static const QString none;
    return m_type == ValueType::String ? m_texts.at(row) : none;
}

std::optional<double> TypedColumn::numberAt(int row) const
{
    if (m_type != ValueType::Number || isNull(row))
        return std::nullopt;
    return m_numbers[size_t(row)];
}

qint64 TypedColumn::storedBytes() const
{
    qint64 bytes = qint64(m_null.size() / 8) + qint64(m_int32s.size() * 4 + m_int64s.size() * 8)
                 + qint64(m_numbers.size() * 8) + m_texts.storedBytes();
    for (const QByteArray &b : m_binaries)
        bytes += qint64(sizeof b) + b.size();
    return bytes;
}

} // namespace velmora
