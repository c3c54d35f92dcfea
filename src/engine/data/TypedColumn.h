#pragma once

#include "engine/core/Value.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace velmora {

/// The values of one column, stored compactly by type: integers, currency
/// units, date-time milliseconds and booleans share one int64 vector,
/// numbers a double vector, text and binary a vector each, and null is a
/// bit per row. Only the vector of the column's type is used; null rows
/// hold a default there so that row numbers stay aligned.
class TypedColumn {
public:
    TypedColumn(QString name, ValueType type);

    const QString &name() const { return m_name; }
    ValueType type() const { return m_type; }
    int rowCount() const { return int(m_null.size()); }

    void reserve(qsizetype rows);
    void appendNull();
    /// Appends a value of the column's type (Integer, Boolean 0/1, Currency
    /// units or DateTime milliseconds).
    void appendInt64(qint64 v);
    void appendNumber(double v);
    void appendString(QString v);
    void appendBinary(QByteArray v);

    bool isNull(int row) const { return m_null[size_t(row)]; }
    Value value(int row) const;
    /// The int64 of a non-null Integer, Boolean, Currency or DateTime row.
    std::optional<qint64> int64At(int row) const;
    /// The text of a String row (empty when null).
    const QString &stringAt(int row) const;
    /// The number of a non-null Number row.
    std::optional<double> numberAt(int row) const;

private:
    QString m_name;
    ValueType m_type;
    std::vector<bool> m_null;
    std::vector<qint64> m_int64s;
    std::vector<double> m_numbers;
    std::vector<QString> m_strings;
    std::vector<QByteArray> m_binaries;
};

} // namespace velmora
