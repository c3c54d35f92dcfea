#include "engine/layout/ValueOrder.h"

#include "engine/data/CatalanCollation.h"

#include <QHashFunctions>

#include <cmath>

namespace velmora {

namespace {

enum class Family { Null, Boolean, Numeric, Temporal, Text, Binary };

Family familyOf(const Value &v)
{
    switch (v.type()) {
    case ValueType::Null: return Family::Null;
    case ValueType::Boolean: return Family::Boolean;
    case ValueType::Integer:
    case ValueType::Number:
    case ValueType::Currency: return Family::Numeric;
    case ValueType::Date:
    case ValueType::Time:
    case ValueType::DateTime: return Family::Temporal;
    case ValueType::String: return Family::Text;
    case ValueType::Binary: return Family::Binary;
    }
    return Family::Null;
}

template<typename T>
int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareNumbers(const Value &a, const Value &b)
{
    if (a.type() == b.type()) {
        switch (a.type()) {
        case ValueType::Integer: return threeWay(a.asInteger(), b.asInteger());
        case ValueType::Currency: return threeWay(a.asCurrency().units, b.asCurrency().units);
        default: break;
        }
    }
    if (a.type() == ValueType::Integer && b.type() == ValueType::Currency)
        return threeWay(Currency::fromWhole(a.asInteger()).units, b.asCurrency().units);
    if (a.type() == ValueType::Currency && b.type() == ValueType::Integer)
        return threeWay(a.asCurrency().units, Currency::fromWhole(b.asInteger()).units);
    return threeWay(a.toDouble(), b.toDouble());
}

} // namespace

int collateValues(const Value &a, const Value &b)
{
    const Family fa = familyOf(a);
    const Family fb = familyOf(b);
    if (fa != fb)
        return threeWay(int(fa), int(fb));
    switch (fa) {
    case Family::Null: return 0;
    case Family::Boolean: return threeWay(a.asBoolean(), b.asBoolean());
    case Family::Numeric: return compareNumbers(a, b);
    case Family::Temporal: return threeWay(a.asDateTime().msecs, b.asDateTime().msecs);
    case Family::Text: return CatalanCollation::compareText(a.asString(), b.asString());
    case Family::Binary: return threeWay(a.asBinary(), b.asBinary());
    }
    return 0;
}

bool sameValue(const Value &a, const Value &b)
{
    const Family fa = familyOf(a);
    if (fa != familyOf(b))
        return false;
    switch (fa) {
    case Family::Null: return true;
    case Family::Boolean: return a.asBoolean() == b.asBoolean();
    case Family::Numeric: return compareNumbers(a, b) == 0;
    case Family::Temporal: return a.asDateTime().msecs == b.asDateTime().msecs;
    case Family::Text: return a.asString() == b.asString();
    case Family::Binary: return a.asBinary() == b.asBinary();
    }
    return false;
}

std::size_t hashValue(const Value &v)
{
    switch (familyOf(v)) {
    case Family::Null: return 0x9e3779b9u;
    case Family::Boolean: return v.asBoolean() ? 1 : 2;
    case Family::Numeric: {
        // Equal numbers of different types must hash alike: hash the double,
        // with -0 folded into 0.
        const double d = v.toDouble();
        return qHash(d == 0.0 ? 0.0 : d);
    }
    case Family::Temporal: return qHash(v.asDateTime().msecs);
    case Family::Text: return qHash(v.asString());
    case Family::Binary: return qHash(v.asBinary());
    }
    return 0;
}

} // namespace velmora
