#pragma once

#include "engine/core/Currency.h"
#include "engine/core/DateTime.h"

#include <QByteArray>
#include <QString>

#include <variant>

namespace velmora {

/// The type of a value as the report sees it. Access's column types map onto
/// these (docs/report-format.md, "Types"): Byte/Integer/Long -> Integer,
/// Single/Double -> Number, Currency and Decimal up to four places ->
/// Currency, Text/Memo/GUID -> String, Date/Time -> DateTime, Yes/No ->
/// Boolean, Binary/OLE -> Binary.
enum class ValueType : quint8 {
    Null,
    Boolean,
    Integer,  ///< 64-bit signed
    Number,   ///< double
    Currency, ///< exact, four decimals
    String,
    Date,     ///< a DateTime whose time part is ignored
    Time,     ///< a DateTime on day 0 whose date part is ignored
    DateTime,
    Binary,
};

QString valueTypeName(ValueType type);

/// One typed value of a record, a formula or a parameter. Null is a value of
/// its own, told apart from the empty string.
class Value {
public:
    Value() = default;
    static Value null() { return Value(); }
    static Value boolean(bool v) { return Value(ValueType::Boolean, v); }
    static Value integer(qint64 v) { return Value(ValueType::Integer, v); }
    static Value number(double v) { return Value(ValueType::Number, v); }
    static Value currency(Currency v) { return Value(ValueType::Currency, v); }
    static Value string(QString v) { return Value(ValueType::String, std::move(v)); }
    static Value date(DateTime v) { return Value(ValueType::Date, v); }
    static Value time(DateTime v) { return Value(ValueType::Time, v); }
    static Value dateTime(DateTime v) { return Value(ValueType::DateTime, v); }
    static Value binary(QByteArray v) { return Value(ValueType::Binary, std::move(v)); }

    ValueType type() const { return m_type; }
    bool isNull() const { return m_type == ValueType::Null; }
    bool isNumeric() const
    {
        return m_type == ValueType::Integer || m_type == ValueType::Number
            || m_type == ValueType::Currency;
    }
    bool isTemporal() const
    {
        return m_type == ValueType::Date || m_type == ValueType::Time
            || m_type == ValueType::DateTime;
    }

    // Accessors: only valid for the matching type (checked in debug builds).
    bool asBoolean() const { return std::get<bool>(m_data); }
    qint64 asInteger() const { return std::get<qint64>(m_data); }
    double asNumber() const { return std::get<double>(m_data); }
    Currency asCurrency() const { return std::get<Currency>(m_data); }
    const QString &asString() const { return std::get<QString>(m_data); }
    DateTime asDateTime() const { return std::get<DateTime>(m_data); }
    const QByteArray &asBinary() const { return std::get<QByteArray>(m_data); }

    /// Any numeric value as a double (Integer, Number, Currency); 0 otherwise.
    double toDouble() const;

    /// A plain, locale-free text for diagnostics, tests and data exports:
    /// integers in decimal, numbers with up to 15 significant digits,
    /// currency with four decimals, ISO dates, booleans "True"/"False",
    /// binary in hexadecimal, null as the empty string.
    QString toDebugText() const;

    bool operator==(const Value &other) const = default;

private:
    template<typename T>
    Value(ValueType type, T v) : m_type(type), m_data(std::move(v)) {}

    ValueType m_type = ValueType::Null;
    std::variant<std::monostate, bool, qint64, double, Currency, QString, DateTime, QByteArray> m_data;
};

} // namespace velmora
