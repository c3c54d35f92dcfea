#include "engine/formula/ArithmeticOperators.h"

#include "engine/formula/EvaluationFault.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/TextConcatenation.h"
#include "engine/formula/TypeDescription.h"
#include "engine/formula/WideArithmetic.h"

#include <cmath>
#include <limits>

namespace velmora {

namespace {

enum class Exactness { Integer, Currency, Inexact };

Exactness exactness(const Value &a, const Value &b)
{
    const bool currency = a.type() == ValueType::Currency || b.type() == ValueType::Currency;
    if (currency)
        return Exactness::Currency;
    const bool inexact = a.type() == ValueType::Number || b.type() == ValueType::Number;
    return inexact ? Exactness::Inexact : Exactness::Integer;
}

bool bothExact(const Value &a, const Value &b)
{
    return a.type() != ValueType::Number && b.type() != ValueType::Number;
}

Currency toCurrency(const Value &v)
{
    if (v.type() == ValueType::Number)
        return currencyFromDouble(v.asNumber());
    return currencyFromWide(scaledUnits(v));
}

[[noreturn]] void failTypes(QStringView symbol, const Value &a, const Value &b)
{
    raiseFault(FormulaErrors::TypeMismatch,
               QStringLiteral("l'operador %1 no s'aplica a %2 i %3").arg(symbol, describeType(a.type()), describeType(b.type())));
}

void requireNumbers(QStringView symbol, const Value &a, const Value &b)
{
    if (!a.isNumeric() || !b.isNumeric())
        failTypes(symbol, a, b);
}

void requireNonZero(const Value &divisor)
{
    if (divisor.toDouble() == 0.0)
        raiseFault(FormulaErrors::DivisionByZero, QStringLiteral("divisió per zero"));
}

Value moveByDays(const Value &moment, const Value &days, int sign)
{
    const double offset = days.toDouble() * sign;
    const double msecs = std::round(offset * double(DateTime::msecsPerDay));
    if (!(std::fabs(msecs) < 1e15))
        raiseFault(FormulaErrors::DateOutOfRange, QStringLiteral("la data resultant surt dels anys 1 a 9999"));
    const DateTime result = checkedMoment(moment.asDateTime().msecs + qint64(msecs));
    const bool wholeDays = std::fmod(offset, 1.0) == 0.0;
    if (moment.type() == ValueType::Date && wholeDays)
        return Value::date(result);
    if (moment.type() == ValueType::Time && result.dayNumber() == 0)
        return Value::time(result);
    return Value::dateTime(result);
}

Value daysBetween(const Value &later, const Value &earlier)
{
    const qint64 msecs = later.asDateTime().msecs - earlier.asDateTime().msecs;
    if (later.type() == ValueType::Date && earlier.type() == ValueType::Date)
        return Value::integer(msecs / DateTime::msecsPerDay);
    return Value::number(double(msecs) / double(DateTime::msecsPerDay));
}

Value joinTexts(const QString &a, const QString &b)
{
    requireTextLength(qint64(a.size()) + b.size());
    return Value::string(a + b);
}

} // namespace

Value finiteNumber(double value)
{
    if (!std::isfinite(value))
        raiseFault(FormulaErrors::NotAFiniteNumber, QStringLiteral("el resultat no és un nombre finit"));
    return Value::number(value);
}

Currency currencyFromDouble(double value)
{
    const auto currency = Currency::fromDouble(value);
    if (!currency)
        raiseFault(FormulaErrors::NumericOverflow, QStringLiteral("el resultat surt del rang dels imports (±922.337.203.685.477)"));
    return *currency;
}

DateTime checkedMoment(qint64 msecs)
{
    static constexpr qint64 firstDay = -693593; // 0001-01-01
    static constexpr qint64 lastDay = 2958465;  // 9999-12-31
    const DateTime moment{msecs};
    if (moment.dayNumber() < firstDay || moment.dayNumber() > lastDay)
        raiseFault(FormulaErrors::DateOutOfRange, QStringLiteral("la data resultant surt dels anys 1 a 9999"));
    return moment;
}

Value addValues(const Value &a, const Value &b)
{
    if (a.isTemporal() && b.isNumeric())
        return moveByDays(a, b, 1);
    if (a.isNumeric() && b.isTemporal())
        return moveByDays(b, a, 1);
    if (a.type() == ValueType::String && b.type() == ValueType::String)
        return joinTexts(a.asString(), b.asString());
    requireNumbers(u"+", a, b);
    switch (exactness(a, b)) {
    case Exactness::Integer: {
        qint64 sum;
        if (!__builtin_add_overflow(a.asInteger(), b.asInteger(), &sum))
            return Value::integer(sum);
        return Value::number(double(a.asInteger()) + double(b.asInteger()));
    }
    case Exactness::Currency:
        return Value::currency(currencyFromWide(Wide(toCurrency(a).units) + toCurrency(b).units));
    case Exactness::Inexact:
        break;
    }
    return finiteNumber(a.toDouble() + b.toDouble());
}

Value subtractValues(const Value &a, const Value &b)
{
    if (a.isTemporal() && b.isNumeric())
        return moveByDays(a, b, -1);
    if (a.isTemporal() && b.isTemporal())
        return daysBetween(a, b);
    requireNumbers(u"-", a, b);
    switch (exactness(a, b)) {
    case Exactness::Integer: {
        qint64 difference;
        if (!__builtin_sub_overflow(a.asInteger(), b.asInteger(), &difference))
            return Value::integer(difference);
        return Value::number(double(a.asInteger()) - double(b.asInteger()));
    }
    case Exactness::Currency:
        return Value::currency(currencyFromWide(Wide(toCurrency(a).units) - toCurrency(b).units));
    case Exactness::Inexact:
        break;
    }
    return finiteNumber(a.toDouble() - b.toDouble());
}

Value multiplyValues(const Value &a, const Value &b)
{
    requireNumbers(u"*", a, b);
    switch (exactness(a, b)) {
    case Exactness::Integer: {
        qint64 product;
        if (!__builtin_mul_overflow(a.asInteger(), b.asInteger(), &product))
            return Value::integer(product);
        return Value::number(double(a.asInteger()) * double(b.asInteger()));
    }
    case Exactness::Currency:
        if (bothExact(a, b))
            return Value::currency(currencyFromWide(divideRoundingHalfAway(scaledUnits(a) * scaledUnits(b), Currency::scale)));
        return Value::currency(currencyFromDouble(a.toDouble() * b.toDouble()));
    case Exactness::Inexact:
        break;
    }
    return finiteNumber(a.toDouble() * b.toDouble());
}

Value divideValues(const Value &a, const Value &b)
{
    requireNumbers(u"/", a, b);
    requireNonZero(b);
    if (a.type() == ValueType::Currency && b.type() != ValueType::Currency) {
        if (b.type() == ValueType::Integer)
            return Value::currency(currencyFromWide(divideRoundingHalfAway(a.asCurrency().units, b.asInteger())));
        return Value::currency(currencyFromDouble(a.toDouble() / b.toDouble()));
    }
    return finiteNumber(a.toDouble() / b.toDouble());
}

Value integerDivideValues(const Value &a, const Value &b)
{
    requireNumbers(u"\\", a, b);
    requireNonZero(b);
    if (bothExact(a, b)) {
        return Value::integer(integerFromWide(scaledUnits(a) / scaledUnits(b)));
    }
    const double quotient = std::trunc(a.toDouble() / b.toDouble());
    if (!(std::fabs(quotient) < 9.2e18))
        raiseFault(FormulaErrors::NumericOverflow, QStringLiteral("el resultat surt del rang dels enters"));
    return Value::integer(qint64(quotient));
}

Value moduloValues(const Value &a, const Value &b)
{
    requireNumbers(u"mod", a, b);
    requireNonZero(b);
    const Exactness kind = exactness(a, b);
    if (bothExact(a, b)) {
        const Wide remainder = scaledUnits(a) % scaledUnits(b);
        if (kind == Exactness::Integer)
            return Value::integer(qint64(remainder / Currency::scale));
        return Value::currency(currencyFromWide(remainder));
    }
    const double remainder = std::fmod(a.toDouble(), b.toDouble());
    if (kind == Exactness::Currency)
        return Value::currency(currencyFromDouble(remainder));
    return finiteNumber(remainder);
}

Value powerValues(const Value &a, const Value &b)
{
    requireNumbers(u"^", a, b);
    return finiteNumber(std::pow(a.toDouble(), b.toDouble()));
}

Value negateValue(const Value &a)
{
    switch (a.type()) {
    case ValueType::Integer:
        if (a.asInteger() == std::numeric_limits<qint64>::min())
            return Value::number(-double(a.asInteger()));
        return Value::integer(-a.asInteger());
    case ValueType::Number:
        return Value::number(-a.asNumber());
    case ValueType::Currency:
        return Value::currency(currencyFromWide(-Wide(a.asCurrency().units)));
    default:
        raiseFault(FormulaErrors::TypeMismatch, QStringLiteral("el signe menys no s'aplica a %1").arg(describeType(a.type())));
    }
}

} // namespace velmora
