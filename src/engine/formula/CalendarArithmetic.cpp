#include "engine/formula/CalendarArithmetic.h"

#include "engine/formula/ArithmeticOperators.h"
#include "engine/formula/EvaluationFault.h"
#include "engine/formula/FormulaErrors.h"

#include <cstdlib>

namespace velmora {

namespace {

constexpr qint64 msecsPerSecond = 1000;
constexpr qint64 msecsPerMinute = 60 * msecsPerSecond;
constexpr qint64 msecsPerHour = 60 * msecsPerMinute;
// Far more steps than years 1 to 9999 hold: beyond it no result can be in range.
constexpr qint64 maxMonths = 12 * 10'000;
constexpr qint64 maxDays = 366 * 10'000;

[[noreturn]] void failRange()
{
    raiseFault(FormulaErrors::DateOutOfRange, QStringLiteral("la data resultant surt dels anys 1 a 9999"));
}

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if (a % b != 0 && ((a < 0) != (b < 0)))
        --q;
    return q;
}

DateTime addMonths(qint64 months, DateTime moment)
{
    if (std::llabs(months) > maxMonths)
        failRange();
    const QDate moved = moment.date().addMonths(int(months));
    if (!moved.isValid())
        failRange();
    return checkedMoment(DateTime::fromDate(moved).msecs + moment.msecsOfDay());
}

DateTime addMsecs(qint64 count, qint64 unit, DateTime moment)
{
    if (std::llabs(count) > maxDays * (DateTime::msecsPerDay / unit))
        failRange();
    return checkedMoment(moment.msecs + count * unit);
}

qint64 monthIndex(DateTime moment) { return qint64(moment.date().year()) * 12 + moment.date().month() - 1; }

// Day 0 (30 December 1899) is a Saturday, so Mondays fall on days 2, 9, 16...
qint64 mondayWeekIndex(DateTime moment) { return floorDiv(moment.dayNumber() - 2, 7); }

} // namespace

std::optional<DateInterval> dateIntervalNamed(QStringView name)
{
    const QString key = name.trimmed().toString().toLower();
    if (key == u"yyyy") return DateInterval::Year;
    if (key == u"q") return DateInterval::Quarter;
    if (key == u"m") return DateInterval::Month;
    if (key == u"d" || key == u"y") return DateInterval::Day;
    if (key == u"w") return DateInterval::Weekday;
    if (key == u"ww") return DateInterval::Week;
    if (key == u"h") return DateInterval::Hour;
    if (key == u"n") return DateInterval::Minute;
    if (key == u"s") return DateInterval::Second;
    return std::nullopt;
}

bool isTimeInterval(DateInterval interval)
{
    return interval == DateInterval::Hour || interval == DateInterval::Minute || interval == DateInterval::Second;
}

DateTime addInterval(DateInterval interval, qint64 count, DateTime moment)
{
    switch (interval) {
    case DateInterval::Year: return addMonths(std::llabs(count) > maxMonths ? count : count * 12, moment);
    case DateInterval::Quarter: return addMonths(std::llabs(count) > maxMonths ? count : count * 3, moment);
    case DateInterval::Month: return addMonths(count, moment);
    case DateInterval::Day:
    case DateInterval::Weekday: return addMsecs(count, DateTime::msecsPerDay, moment);
    case DateInterval::Week: return addMsecs(std::llabs(count) > maxDays ? count : count * 7, DateTime::msecsPerDay, moment);
    case DateInterval::Hour: return addMsecs(count, msecsPerHour, moment);
    case DateInterval::Minute: return addMsecs(count, msecsPerMinute, moment);
    case DateInterval::Second: return addMsecs(count, msecsPerSecond, moment);
    }
    return moment;
}

qint64 intervalsBetween(DateInterval interval, DateTime from, DateTime to)
{
    switch (interval) {
    case DateInterval::Year: return to.date().year() - from.date().year();
    case DateInterval::Quarter: return floorDiv(monthIndex(to), 3) - floorDiv(monthIndex(from), 3);
    case DateInterval::Month: return monthIndex(to) - monthIndex(from);
    case DateInterval::Day: return to.dayNumber() - from.dayNumber();
    case DateInterval::Weekday: return (to.dayNumber() - from.dayNumber()) / 7;
    case DateInterval::Week: return mondayWeekIndex(to) - mondayWeekIndex(from);
    case DateInterval::Hour: return floorDiv(to.msecs, msecsPerHour) - floorDiv(from.msecs, msecsPerHour);
    case DateInterval::Minute: return floorDiv(to.msecs, msecsPerMinute) - floorDiv(from.msecs, msecsPerMinute);
    case DateInterval::Second: return floorDiv(to.msecs, msecsPerSecond) - floorDiv(from.msecs, msecsPerSecond);
    }
    return 0;
}

DateTime normalizedDate(qint64 year, qint64 month, qint64 day)
{
    if (std::llabs(year) > 10'000 || std::llabs(month) > maxMonths || std::llabs(day) > maxDays)
        failRange();
    const qint64 months = year * 12 + month - 1;
    const QDate first(int(floorDiv(months, 12)), int(months - floorDiv(months, 12) * 12) + 1, 1);
    if (!first.isValid())
        failRange();
    return checkedMoment(DateTime::fromDate(first).msecs + (day - 1) * DateTime::msecsPerDay);
}

} // namespace velmora
