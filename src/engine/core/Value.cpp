#include "engine/core/Value.h"

namespace velmora {

QString valueTypeName(ValueType type)
{
    switch (type) {
    case ValueType::Null: return QStringLiteral("Null");
    case ValueType::Boolean: return QStringLiteral("Boolean");
    case ValueType::Integer: return QStringLiteral("Integer");
    case ValueType::Number: return QStringLiteral("Number");
    case ValueType::Currency: return QStringLiteral("Currency");
    case ValueType::String: return QStringLiteral("String");
    case ValueType::Date: return QStringLiteral("Date");
    case ValueType::Time: return QStringLiteral("Time");
    case ValueType::DateTime: return QStringLiteral("DateTime");
    case ValueType::Binary: return QStringLiteral("Binary");
    }
    return QString();
}

double Value::toDouble() const
{
    switch (m_type) {
    case ValueType::Integer: return double(asInteger());
    case ValueType::Number: return asNumber();
    case ValueType::Currency: return asCurrency().toDouble();
    default: return 0.0;
    }
}

QString Value::toDebugText() const
{
    switch (m_type) {
    case ValueType::Null: return QString();
    case ValueType::Boolean: return asBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case ValueType::Integer: return QString::number(asInteger());
    case ValueType::Number: return QString::number(asNumber(), 'g', 15);
    case ValueType::Currency: return asCurrency().toString();
    case ValueType::String: return asString();
    case ValueType::Date: return asDateTime().date().toString(Qt::ISODate);
    case ValueType::Time: return asDateTime().time().toString(QStringLiteral("HH:mm:ss"));
    case ValueType::DateTime: {
        const DateTime dt = asDateTime();
        return dt.date().toString(Qt::ISODate) + u' ' + dt.time().toString(QStringLiteral("HH:mm:ss"));
    }
    case ValueType::Binary: return QString::fromLatin1(asBinary().toHex());
    }
    return QString();
}

} // namespace velmora
