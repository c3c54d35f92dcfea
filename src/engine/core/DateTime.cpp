#include "engine/core/DateTime.h"

#include <cmath>

namespace velmora {

namespace {
const qint64 dayZeroJulian = QDate(1899, 12, 30).toJulianDay();

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}
} // namespace

DateTime DateTime::fromDate(QDate date)
{
    return DateTime{(date.toJulianDay() - dayZeroJulian) * msecsPerDay};
}

DateTime DateTime::fromDateAndTime(QDate date, QTime time)
{
    return DateTime{fromDate(date).msecs + time.msecsSinceStartOfDay()};
}

DateTime DateTime::fromTime(QTime time)
{
    return DateTime{time.msecsSinceStartOfDay()};
}

std::optional<DateTime> DateTime::fromAccessDays(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return std::nullopt;
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const qint64 timeMs = std::llround(fraction * msecsPerDay);
    return DateTime{static_cast<qint64>(whole) * msecsPerDay + timeMs};
}

qint64 DateTime::dayNumber() const { return floorDiv(msecs, msecsPerDay); }

qint64 DateTime::msecsOfDay() const { return msecs - dayNumber() * msecsPerDay; }

QDate DateTime::date() const { return QDate::fromJulianDay(dayZeroJulian + dayNumber()); }

QTime DateTime::time() const { return QTime::fromMSecsSinceStartOfDay(int(msecsOfDay())); }

double DateTime::toAccessDays() const
{
    const qint64 day = dayNumber();
    const double fraction = double(msecsOfDay()) / msecsPerDay;
    return day >= 0 ? double(day) + fraction : double(day) - fraction;
}

} // namespace velmora
