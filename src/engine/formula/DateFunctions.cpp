#include "engine/formula/ArithmeticOperators.h"
#include "engine/formula/CalendarArithmetic.h"
#include "engine/formula/CatalanNames.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FunctionArguments.h"
#include "engine/formula/FunctionTables.h"

namespace velmora {

namespace {

QDate validDate(const FunctionArguments &args, int first)
{
    const qint64 year = args.wholeWithin(first, 1, 9999);
    const qint64 month = args.wholeWithin(first + 1, 1, 12);
    const qint64 day = args.wholeWithin(first + 2, 1, 31);
    const QDate result{int(year), int(month), int(day)};
    if (!result.isValid())
        args.fail(FormulaErrors::InvalidArgument, QStringLiteral("el mes %1 de %2 no té dia %3").arg(month).arg(year).arg(day));
    return result;
}

QTime validTime(const FunctionArguments &args, int first)
{
    return QTime(int(args.wholeWithin(first, 0, 23)), int(args.wholeWithin(first + 1, 0, 59)), int(args.wholeWithin(first + 2, 0, 59)));
}

// "2024-02-29" or "29/02/2024", the forms users type and databases store.
QDate dateFromText(const FunctionArguments &args, int i)
{
    const QString text = args.text(i).trimmed();
    for (const QString &format : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("d/M/yyyy")}) {
        const QDate date = QDate::fromString(text.left(10).trimmed(), format);
        if (date.isValid())
            return date;
    }
    args.fail(FormulaErrors::InvalidArgument, QStringLiteral("«%1» no és una data (s'esperava dd/mm/aaaa o aaaa-mm-dd)").arg(text));
}

Value date(const FunctionArguments &args)
{
    if (args.count() == 3)
        return Value::date(DateTime::fromDate(validDate(args, 0)));
    if (args.value(0).type() == ValueType::String)
        return Value::date(DateTime::fromDate(dateFromText(args, 0)));
    const DateTime moment = args.moment(0);
    return Value::date(DateTime{moment.msecs - moment.msecsOfDay()});
}

Value time(const FunctionArguments &args)
{
    if (args.count() == 3)
        return Value::time(DateTime::fromTime(validTime(args, 0)));
    return Value::time(DateTime{args.moment(0).msecsOfDay()});
}

Value dateTime(const FunctionArguments &args)
{
    switch (args.count()) {
    case 6: return Value::dateTime(DateTime::fromDateAndTime(validDate(args, 0), validTime(args, 3)));
    case 2: {
        const DateTime day = args.moment(0);
        return Value::dateTime(DateTime{day.msecs - day.msecsOfDay() + args.moment(1).msecsOfDay()});
    }
    default: return Value::dateTime(args.moment(0));
    }
}

Value dateSerial(const FunctionArguments &args)
{
    return Value::date(normalizedDate(args.whole(0), args.whole(1), args.whole(2)));
}

DateInterval intervalArgument(const FunctionArguments &args)
{
    const auto interval = dateIntervalNamed(args.text(0));
    if (!interval)
        args.fail(FormulaErrors::InvalidArgument,
                  QStringLiteral("«%1» no és cap interval (\"yyyy\", \"q\", \"m\", \"y\", \"d\", \"w\", \"ww\", \"h\", \"n\" o \"s\")").arg(args.text(0)));
    return *interval;
}

Value dateAdd(const FunctionArguments &args)
{
    const DateInterval interval = intervalArgument(args);
    const Value &start = args.value(2);
    const DateTime moved = addInterval(interval, args.whole(1), args.moment(2));
    if (start.type() == ValueType::Date && !isTimeInterval(interval))
        return Value::date(moved);
    if (start.type() == ValueType::Time && moved.dayNumber() == 0)
        return Value::time(moved);
    return Value::dateTime(moved);
}

Value dateDiff(const FunctionArguments &args)
{
    return Value::integer(intervalsBetween(intervalArgument(args), args.moment(1), args.moment(2)));
}

Value year(const FunctionArguments &args) { return Value::integer(args.moment(0).date().year()); }
Value month(const FunctionArguments &args) { return Value::integer(args.moment(0).date().month()); }
Value day(const FunctionArguments &args) { return Value::integer(args.moment(0).date().day()); }
Value hour(const FunctionArguments &args) { return Value::integer(args.moment(0).time().hour()); }
Value minute(const FunctionArguments &args) { return Value::integer(args.moment(0).time().minute()); }
Value second(const FunctionArguments &args) { return Value::integer(args.moment(0).time().second()); }
Value dayOfWeek(const FunctionArguments &args) { return Value::integer(args.moment(0).date().dayOfWeek()); }

// A number in range, or the matching part of a date: MonthName(3) and MonthName(#2024-03-01#).
int ordinalOrPart(const FunctionArguments &args, int last, int (QDate::*part)() const)
{
    if (args.value(0).isTemporal())
        return (args.moment(0).date().*part)();
    return int(args.wholeWithin(0, 1, last));
}

bool abbreviated(const FunctionArguments &args)
{
    if (!args.has(1))
        return false;
    if (args.value(1).type() != ValueType::Boolean)
        args.failArgument(1, QStringLiteral("cert o fals"));
    return args.value(1).asBoolean();
}

Value monthName(const FunctionArguments &args)
{
    const int number = ordinalOrPart(args, 12, &QDate::month);
    return Value::string(abbreviated(args) ? CatalanNames::monthAbbreviation(number) : CatalanNames::monthName(number));
}

Value weekdayName(const FunctionArguments &args)
{
    const int number = ordinalOrPart(args, 7, &QDate::dayOfWeek);
    return Value::string(abbreviated(args) ? CatalanNames::weekdayAbbreviation(number) : CatalanNames::weekdayName(number));
}

constexpr ValueType Integer = ValueType::Integer;

constexpr FunctionDefinition functions[] = {
    {u"Date", 1, 3, date, ValueType::Date, true, argumentCounts({1, 3})},
    {u"Time", 1, 3, time, ValueType::Time, true, argumentCounts({1, 3})},
    {u"DateTime", 1, 6, dateTime, ValueType::DateTime, true, argumentCounts({1, 2, 6})},
    {u"DateSerial", 3, 3, dateSerial, ValueType::Date},
    {u"DateAdd", 3, 3, dateAdd, ValueType::Null},
    {u"DateDiff", 3, 3, dateDiff, Integer},
    {u"Year", 1, 1, year, Integer},
    {u"Month", 1, 1, month, Integer},
    {u"Day", 1, 1, day, Integer},
    {u"Hour", 1, 1, hour, Integer},
    {u"Minute", 1, 1, minute, Integer},
    {u"Second", 1, 1, second, Integer},
    {u"DayOfWeek", 1, 1, dayOfWeek, Integer},
    {u"MonthName", 1, 2, monthName, ValueType::String},
    {u"WeekdayName", 1, 2, weekdayName, ValueType::String},
};

} // namespace

std::span<const FunctionDefinition> dateFunctions() { return functions; }

} // namespace velmora
