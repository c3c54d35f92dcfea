#include "engine/data/JoinKey.h"

#include <QHash>

#include <cmath>
#include <cstring>

namespace velmora {

namespace {

quint64 mix(quint64 value)
{
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

bool isNumeric(ValueType type)
{
    return type == ValueType::Integer || type == ValueType::Number || type == ValueType::Currency;
}

double numericValue(const TypedColumn &column, int row)
{
    switch (column.type()) {
    case ValueType::Integer: return double(*column.int64At(row));
    case ValueType::Currency: return double(*column.int64At(row)) / double(Currency::scale);
    default: return column.numberAt(row).value_or(0);
    }
}

// Equal numbers of different kinds must hash alike: whole values hash as
// integers, the rest by their double bits.
quint64 hashNumber(const TypedColumn &column, int row)
{
    if (column.type() == ValueType::Integer)
        return mix(quint64(*column.int64At(row)));
    const double value = numericValue(column, row);
    if (value == std::trunc(value) && std::fabs(value) < 9.0e18)
        return mix(quint64(qint64(value)));
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return mix(bits);
}

quint64 hashCell(const TypedColumn &column, int row)
{
    if (isNumeric(column.type()))
        return hashNumber(column, row);
    if (column.type() == ValueType::String)
        return mix(qHash(column.stringAt(row).toCaseFolded()));
    if (column.type() == ValueType::Binary)
        return mix(qHash(column.value(row).asBinary()));
    return mix(quint64(column.int64At(row).value_or(0)) ^ (quint64(column.type()) << 56));
}

bool cellsEqual(const TypedColumn &a, int rowA, const TypedColumn &b, int rowB)
{
    if (isNumeric(a.type()) && isNumeric(b.type())) {
        if (a.type() == b.type() && a.type() != ValueType::Number)
            return *a.int64At(rowA) == *b.int64At(rowB);
        return numericValue(a, rowA) == numericValue(b, rowB);
    }
    if (a.type() != b.type())
        return false;
    if (a.type() == ValueType::String)
        return a.stringAt(rowA).compare(b.stringAt(rowB), Qt::CaseInsensitive) == 0;
    if (a.type() == ValueType::Binary)
        return a.value(rowA) == b.value(rowB);
    return a.int64At(rowA) == b.int64At(rowB);
}

} // namespace

JoinKey::JoinKey(const ColumnTable &table, std::vector<int> columns) : m_table(table), m_columns(std::move(columns)) {}

std::optional<quint64> JoinKey::hash(int row) const
{
    quint64 hash = 0;
    for (const int column : m_columns) {
        const TypedColumn &cells = m_table.column(column);
        if (cells.isNull(row))
            return std::nullopt;
        hash = mix(hash ^ hashCell(cells, row));
    }
    return hash;
}

bool JoinKey::equals(int row, const JoinKey &other, int otherRow) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (!cellsEqual(m_table.column(m_columns[i]), row, other.m_table.column(other.m_columns[i]), otherRow))
            return false;
    return true;
}

} // namespace velmora
