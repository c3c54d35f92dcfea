#include "engine/formula/ArithmeticOperators.h"
#include "engine/formula/DecimalNumber.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FunctionArguments.h"
#include "engine/formula/FunctionTables.h"
#include "engine/formula/NumberPattern.h"
#include "engine/formula/ValueFormatter.h"
#include "engine/formula/WideArithmetic.h"

#include <cmath>
#include <optional>

namespace velmora {

namespace {

// "1234.5", "-1.234,5" (a comma makes it Catalan: dots group thousands), "1e3".
std::optional<QString> plainNumberText(const QString &text)
{
    QString plain = text.trimmed();
    if (plain.contains(u',')) {
        plain.remove(u'.');
        plain.replace(u',', u'.');
    }
    const bool wellFormed = !plain.isEmpty() && std::all_of(plain.begin(), plain.end(), [](QChar c) {
        return c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E';
    });
    return wellFormed ? std::optional<QString>(plain) : std::nullopt;
}

std::optional<double> numberFromText(const QString &text)
{
    const auto plain = plainNumberText(text);
    bool ok = false;
    const double number = plain ? plain->toDouble(&ok) : 0.0;
    return ok && std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
}

// The numeric value of an argument, reading text and booleans as numbers too.
Value numericArgument(const FunctionArguments &args, int i)
{
    const Value &v = args.value(i);
    if (v.isNumeric())
        return v;
    if (v.type() == ValueType::Boolean)
        return Value::integer(v.asBoolean() ? 1 : 0);
    if (v.type() == ValueType::String) {
        if (const auto number = numberFromText(v.asString()))
            return Value::number(*number);
        args.fail(FormulaErrors::NotANumber, QStringLiteral("«%1» no és un nombre").arg(v.asString().left(100)));
    }
    args.failArgument(i, QStringLiteral("un nombre o un text amb un nombre"));
}

Value toText(const FunctionArguments &args)
{
    const Value &v = args.value(0);
    if (!args.has(1) || args.value(1).isNull())
        return Value::string(formatValue(v));
    if (args.value(1).type() == ValueType::String)
        return Value::string(formatValue(v, args.value(1).asString()));
    const int decimals = int(args.wholeWithin(1, 0, 30));
    if (!v.isNumeric() && !v.isNull())
        args.failArgument(0, QStringLiteral("un nombre per escriure'l amb decimals"));
    return Value::string(formatValue(v, NumberPattern::withDecimals(decimals)));
}

Value toNumber(const FunctionArguments &args) { return Value::number(numericArgument(args, 0).toDouble()); }

Value toCurrency(const FunctionArguments &args)
{
    const Value &v = args.value(0);
    if (v.type() == ValueType::String) {
        // Straight from the digits, so that "0.1" is exactly a tenth.
        const auto plain = plainNumberText(v.asString());
        if (const auto exact = plain ? Currency::fromString(*plain) : std::nullopt)
            return Value::currency(*exact);
    }
    const Value number = numericArgument(args, 0);
    if (number.type() == ValueType::Number)
        return Value::currency(currencyFromDouble(number.asNumber()));
    return Value::currency(currencyFromWide(scaledUnits(number)));
}

// Round half away from zero (CInt) or down to the next lower whole number (Int).
Value toWholeNumber(const FunctionArguments &args, bool floor)
{
    const Value number = numericArgument(args, 0);
    if (number.type() == ValueType::Integer)
        return number;
    if (number.type() == ValueType::Currency) {
        const Wide units = number.asCurrency().units;
        const Wide whole = floor ? (units - (((units % Currency::scale) + Currency::scale) % Currency::scale)) / Currency::scale
                                 : divideRoundingHalfAway(units, Currency::scale);
        return Value::integer(integerFromWide(whole));
    }
    DecimalNumber decimal = DecimalNumber::fromDouble(number.asNumber());
    decimal.roundToPlaces(0);
    const double whole = floor ? std::floor(number.asNumber()) : decimal.toDouble();
    if (!(std::fabs(whole) < 9.2e18))
        args.fail(FormulaErrors::NumericOverflow, QStringLiteral("el nombre és massa gran per a un enter"));
    return Value::integer(qint64(whole));
}

Value roundToInteger(const FunctionArguments &args) { return toWholeNumber(args, false); }
Value floorToInteger(const FunctionArguments &args) { return toWholeNumber(args, true); }

Value isNull(const FunctionArguments &args) { return Value::boolean(args.value(0).isNull()); }

Value isNumeric(const FunctionArguments &args)
{
    const Value &v = args.value(0);
    return Value::boolean(v.isNumeric() || (v.type() == ValueType::String && numberFromText(v.asString()).has_value()));
}

constexpr ValueType String = ValueType::String;
constexpr ValueType Boolean = ValueType::Boolean;

constexpr FunctionDefinition functions[] = {
    {u"ToText", 1, 2, toText, String, false},
    {u"CStr", 1, 2, toText, String, false},
    {u"ToNumber", 1, 1, toNumber, ValueType::Number},
    {u"CDbl", 1, 1, toNumber, ValueType::Number},
    {u"CCur", 1, 1, toCurrency, ValueType::Currency},
    {u"CInt", 1, 1, roundToInteger, ValueType::Integer},
    {u"Int", 1, 1, floorToInteger, ValueType::Integer},
    {u"IsNull", 1, 1, isNull, Boolean, false},
    {u"IsNumeric", 1, 1, isNumeric, Boolean, false},
};

} // namespace

std::span<const FunctionDefinition> conversionFunctions() { return functions; }

} // namespace velmora
