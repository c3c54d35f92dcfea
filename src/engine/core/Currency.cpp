#include "engine/core/Currency.h"

#include <cmath>
#include <limits>

namespace velmora {

std::optional<Currency> Currency::fromDouble(double value)
{
    const double scaled = std::round(value * double(scale));
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
        return std::nullopt;
    return Currency{static_cast<qint64>(scaled)};
}

std::optional<Currency> Currency::fromString(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    int pos = 0;
    bool negative = false;
    if (t[0] == u'-' || t[0] == u'+') {
        negative = t[0] == u'-';
        ++pos;
    }
    qint64 whole = 0;
    qint64 fraction = 0;
    int fractionDigits = 0;
    bool seenDigit = false;
    bool inFraction = false;
    for (; pos < t.size(); ++pos) {
        const QChar c = t[pos];
        if (c == u'.' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!c.isDigit())
            return std::nullopt;
        seenDigit = true;
        const int digit = c.digitValue();
        if (inFraction) {
            if (fractionDigits == 4)
                continue; // beyond the fourth decimal: cut, as Access stores it
            fraction = fraction * 10 + digit;
            ++fractionDigits;
        } else {
            if (whole > (std::numeric_limits<qint64>::max() / scale - digit) / 10)
                return std::nullopt;
            whole = whole * 10 + digit;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    while (fractionDigits++ < 4)
        fraction *= 10;
    // Built on the side of its sign, so that the most negative amount, whose
    // magnitude has no positive twin, is reached without overflow.
    qint64 units = 0;
    const qint64 wholeUnits = negative ? -(whole * scale) : whole * scale;
    if (__builtin_add_overflow(wholeUnits, negative ? -fraction : fraction, &units))
        return std::nullopt;
    return Currency{units};
}

QString Currency::toString() const
{
    const bool negative = units < 0;
    // Work in unsigned so that the most negative amount prints right.
    const quint64 magnitude = negative ? quint64(0) - quint64(units) : quint64(units);
    const quint64 whole = magnitude / quint64(scale);
    const quint64 fraction = magnitude % quint64(scale);
    return (negative ? QStringLiteral("-") : QString()) + QString::number(whole) + u'.'
         + QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
}

std::optional<Currency> Currency::checkedAdd(Currency other) const
{
    qint64 r;
    if (__builtin_add_overflow(units, other.units, &r))
        return std::nullopt;
    return Currency{r};
}

std::optional<Currency> Currency::checkedSubtract(Currency other) const
{
    qint64 r;
    if (__builtin_sub_overflow(units, other.units, &r))
        return std::nullopt;
    return Currency{r};
}

std::optional<Currency> Currency::checkedMultiply(qint64 factor) const
{
    qint64 r;
    if (__builtin_mul_overflow(units, factor, &r))
        return std::nullopt;
    return Currency{r};
}

} // namespace velmora
