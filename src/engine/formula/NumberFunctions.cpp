#include "engine/formula/ArithmeticOperators.h"
#include "engine/formula/DecimalNumber.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FunctionArguments.h"
#include "engine/formula/FunctionTables.h"
#include "engine/formula/ValueComparison.h"
#include "engine/formula/WideArithmetic.h"

#include <cmath>

namespace velmora {

namespace {

Value roundTo(const FunctionArguments &args, bool truncate)
{
    const Value &x = args.value(0);
    const int places = args.has(1) ? int(args.wholeWithin(1, -18, 15)) : 0;
    switch (x.type()) {
    case ValueType::Integer:
        return Value::integer(integerFromWide(roundToMultipleOfPowerOfTen(x.asInteger(), -places, truncate)));
    case ValueType::Currency:
        return Value::currency(currencyFromWide(roundToMultipleOfPowerOfTen(x.asCurrency().units, 4 - places, truncate)));
    default: {
        DecimalNumber decimal = DecimalNumber::fromDouble(args.number(0));
        decimal.roundToPlaces(places, truncate);
        return Value::number(decimal.toDouble());
    }
    }
}

Value round(const FunctionArguments &args) { return roundTo(args, false); }
Value truncate(const FunctionArguments &args) { return roundTo(args, true); }

Value absolute(const FunctionArguments &args)
{
    const Value &x = args.value(0);
    args.number(0);
    return x.toDouble() < 0 ? negateValue(x) : x;
}

Value sign(const FunctionArguments &args)
{
    const double x = args.number(0);
    return Value::integer(x > 0 ? 1 : (x < 0 ? -1 : 0));
}

Value squareRoot(const FunctionArguments &args)
{
    const double x = args.number(0);
    if (x < 0)
        args.fail(FormulaErrors::InvalidArgument, QStringLiteral("no hi ha arrel quadrada d'un nombre negatiu"));
    return Value::number(std::sqrt(x));
}

Value exponential(const FunctionArguments &args) { return finiteNumber(std::exp(args.number(0))); }

Value logarithm(const FunctionArguments &args)
{
    const double x = args.number(0);
    if (x <= 0)
        args.fail(FormulaErrors::InvalidArgument, QStringLiteral("el logaritme només existeix per a nombres positius"));
    return Value::number(std::log(x));
}

// Nulls among the values are left out, as the summaries leave them out.
Value extreme(const FunctionArguments &args, int wanted)
{
    Value best;
    for (int i = 0; i < args.count(); ++i) {
        const Value &candidate = args.value(i);
        if (!candidate.isNull() && (best.isNull() || compareValues(candidate, best) == wanted))
            best = candidate;
    }
    return best;
}

Value minimum(const FunctionArguments &args) { return extreme(args, -1); }
Value maximum(const FunctionArguments &args) { return extreme(args, 1); }

constexpr ValueType Number = ValueType::Number;
constexpr ValueType Depends = ValueType::Null;

constexpr FunctionDefinition functions[] = {
    {u"Round", 1, 2, round, Depends},
    {u"Truncate", 1, 2, truncate, Depends},
    {u"Abs", 1, 1, absolute, Depends},
    {u"Sgn", 1, 1, sign, ValueType::Integer},
    {u"Sqr", 1, 1, squareRoot, Number},
    {u"Exp", 1, 1, exponential, Number},
    {u"Log", 1, 1, logarithm, Number},
    {u"Minimum", 1, -1, minimum, Depends, false},
    {u"Maximum", 1, -1, maximum, Depends, false},
};

} // namespace

std::span<const FunctionDefinition> numberFunctions() { return functions; }

} // namespace velmora
