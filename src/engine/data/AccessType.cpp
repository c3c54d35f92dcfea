#include "engine/data/AccessType.h"

namespace velmora {

AccessType accessTypeFromCode(int code)
{
    switch (code) {
    case 0x01: case 0x02: case 0x03: case 0x04: case 0x05: case 0x06: case 0x07:
    case 0x08: case 0x09: case 0x0A: case 0x0B: case 0x0C: case 0x0F: case 0x10: case 0x12:
        return AccessType(code);
    default:
        return AccessType::Unknown;
    }
}

QString accessTypeName(AccessType type)
{
    switch (type) {
    case AccessType::YesNo: return QStringLiteral("Yes/No");
    case AccessType::Byte: return QStringLiteral("Byte");
    case AccessType::Integer: return QStringLiteral("Integer");
    case AccessType::Long: return QStringLiteral("Long");
    case AccessType::Currency: return QStringLiteral("Currency");
    case AccessType::Single: return QStringLiteral("Single");
    case AccessType::Double: return QStringLiteral("Double");
    case AccessType::DateTime: return QStringLiteral("Date/Time");
    case AccessType::Binary: return QStringLiteral("Binary");
    case AccessType::Text: return QStringLiteral("Text");
    case AccessType::OleObject: return QStringLiteral("OLE Object");
    case AccessType::Memo: return QStringLiteral("Memo");
    case AccessType::ReplicationId: return QStringLiteral("Replication ID");
    case AccessType::Decimal: return QStringLiteral("Decimal");
    case AccessType::Complex: return QStringLiteral("Complex");
    case AccessType::Unknown: break;
    }
    return QStringLiteral("Unknown");
}

ValueType valueTypeOf(AccessType type, int precision, int scale)
{
    switch (type) {
    case AccessType::YesNo: return ValueType::Boolean;
    case AccessType::Byte:
    case AccessType::Integer:
    case AccessType::Long: return ValueType::Integer;
    case AccessType::Currency: return ValueType::Currency;
    case AccessType::Single:
    case AccessType::Double: return ValueType::Number;
    case AccessType::DateTime: return ValueType::DateTime;
    case AccessType::Binary:
    case AccessType::OleObject: return ValueType::Binary;
    case AccessType::Text:
    case AccessType::Memo:
    case AccessType::ReplicationId: return ValueType::String;
    case AccessType::Decimal:
        return scale >= 0 && scale <= 4 && precision - scale <= 14 ? ValueType::Currency
                                                                    : ValueType::Number;
    case AccessType::Complex:
    case AccessType::Unknown: break;
    }
    return ValueType::Null;
}

} // namespace velmora
