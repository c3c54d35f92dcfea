#include "engine/formula/TypeDescription.h"

namespace velmora {

QString describeType(ValueType type)
{
    switch (type) {
    case ValueType::Null: return QStringLiteral("un valor nul");
    case ValueType::Boolean: return QStringLiteral("un valor cert o fals");
    case ValueType::Integer: return QStringLiteral("un enter");
    case ValueType::Number: return QStringLiteral("un nombre");
    case ValueType::Currency: return QStringLiteral("un import");
    case ValueType::String: return QStringLiteral("un text");
    case ValueType::Date: return QStringLiteral("una data");
    case ValueType::Time: return QStringLiteral("una hora");
    case ValueType::DateTime: return QStringLiteral("una data i hora");
    case ValueType::Binary: return QStringLiteral("un valor binari");
    }
    return QString();
}

} // namespace velmora
