#pragma once

#include "engine/core/Value.h"

#include <QString>

namespace velmora {

/// A column type as Access stores it (the type byte of a table definition).
enum class AccessType : quint8 {
    YesNo = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0A,
    OleObject = 0x0B,
    Memo = 0x0C,
    ReplicationId = 0x0F,
    Decimal = 0x10,
    Complex = 0x12,
    Unknown = 0xFF,
};

AccessType accessTypeFromCode(int code);
/// The name Access shows for the type ("Long", "Yes/No", "Memo"...).
QString accessTypeName(AccessType type);
/// The report type of a column. Decimal becomes Currency when every value it
/// can hold fits Currency exactly (at most four decimals and fourteen whole
/// digits), Number otherwise. Types this layer cannot read give Null.
ValueType valueTypeOf(AccessType type, int precision, int scale);

} // namespace velmora
