#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <QtGlobal>

#include <compare>
#include <optional>

namespace velmora {

/// A calendar date and time of day without time zone, as Access stores them:
/// milliseconds counted from 1899-12-30 00:00 (Access's day 0), negative
/// before it. Covers years 1 to 9999 exactly, unlike a double of days.
struct DateTime {
    qint64 msecs = 0;

    static constexpr qint64 msecsPerDay = 86'400'000;

    static DateTime fromDate(QDate date);
    static DateTime fromDateAndTime(QDate date, QTime time);
    static DateTime fromTime(QTime time);
    /// Access's stored form: whole days since day 0, fraction = time of day.
    /// Before day 0 the fraction still counts forward from midnight
    /// (-1.25 is 1899-12-29 06:00), as Access does.
    static std::optional<DateTime> fromAccessDays(double days);

    QDate date() const;
    QTime time() const;
    QDateTime toQDateTime() const { return QDateTime(date(), time()); }
    double toAccessDays() const;
    qint64 dayNumber() const; ///< days since day 0, rounded down
    qint64 msecsOfDay() const;

    auto operator<=>(const DateTime &) const = default;
};

} // namespace velmora
