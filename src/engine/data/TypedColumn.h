#pragma once

#include "engine/core/Value.h"
#include "engine/data/TextDictionary.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace velmora {

/// The values of one column, stored compactly by type: integers, currency
/// units, date-time milliseconds and booleans share one integer vector,
/// 32 bits wide while every value fits and 64 once one does not; numbers a
/// double vector; text a dictionary (each distinct text once); binary a
/// vector; and null is a bit per row. Only the storage of the column's type
/// is used; null rows hold a default there so that row numbers stay
/// aligned. Filled by one thread, then read-only and safe to read from
/// several threads once finish() has been called.
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
    /// Appends the rows of `other`, a column of the same type filled
    /// with later rows of the same table.
    void appendRows(TypedColumn &&other);
    /// Frees what only filling needed.
    void finish();

    bool isNull(int row) const { return m_null[size_t(row)]; }
    Value value(int row) const;
    /// The int64 of a non-null Integer, Boolean, Currency or DateTime row.
    std::optional<qint64> int64At(int row) const;
    /// The text of a String row (empty when null).
    const QString &stringAt(int row) const;
    /// The number of a non-null Number row.
    std::optional<double> numberAt(int row) const;
    /// The texts of a String column (null rows hold an empty text).
    const TextDictionary &texts() const { return m_texts; }
    /// Bytes the stored values take, for memory figures.
    qint64 storedBytes() const;

private:
    qint64 integerAt(size_t row) const { return m_wide ? m_int64s[row] : m_int32s[row]; }
    void widen();

    QString m_name;
    ValueType m_type;
    std::vector<bool> m_null;
    bool m_wide = false;
    std::vector<qint32> m_int32s;
    std::vector<qint64> m_int64s;
    std::vector<double> m_numbers;
    TextDictionary m_texts;
    std::vector<QByteArray> m_binaries;
};

} // namespace velmora
