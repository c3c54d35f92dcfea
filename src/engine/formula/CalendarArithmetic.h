#pragma once

#include "engine/core/DateTime.h"

#include <QStringView>

#include <optional>

namespace velmora {

/// The calendar steps of DateAdd and DateDiff: "yyyy" years, "q" quarters,
/// "m" months, "y" "d" "w" days, "ww" weeks, "h" hours, "n" minutes,
/// "s" seconds.
enum class DateInterval { Year, Quarter, Month, Day, Weekday, Week, Hour, Minute, Second };

std::optional<DateInterval> dateIntervalNamed(QStringView name);

/// True for the steps shorter than a day.
bool isTimeInterval(DateInterval interval);

/// `moment` moved by `count` steps. Months and years keep the day of the
/// month, or take the month's last day when it has fewer (31 January + 1
/// month = 29 February in a leap year). Raises a DateOutOfRange fault
/// past year 9999 or before year 1.
DateTime addInterval(DateInterval interval, qint64 count, DateTime moment);

/// How many step boundaries lie from `from` to `to`, negative when `to` is
/// earlier: DateDiff("yyyy", 31/12/2023, 1/1/2024) is 1. "w" counts whole
/// weeks; "ww" counts Mondays crossed, the Catalan week starting on Monday.
qint64 intervalsBetween(DateInterval interval, DateTime from, DateTime to);

/// The date of year/month/day after moving overflowing months and days on,
/// as DateSerial does: (2024, 13, 1) is 1 January 2025, (2024, 3, 0) is
/// 29 February 2024.
DateTime normalizedDate(qint64 year, qint64 month, qint64 day);

} // namespace velmora
