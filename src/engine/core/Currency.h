#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

namespace velmora {

/// An exact amount with four decimal places, as Access's Currency type keeps
/// it: a 64-bit count of ten-thousandths. Sums stay exact; overflow is
/// reported by the checked operations, never wrapped.
struct Currency {
    qint64 units = 0;

    static constexpr qint64 scale = 10'000;

    static std::optional<Currency> fromDouble(double value);
    /// Parses "-1234.5678", "12", "0.5" (a full stop as decimal separator).
    static std::optional<Currency> fromString(const QString &text);
    static Currency fromWhole(qint64 whole) { return Currency{whole * scale}; }

    double toDouble() const { return double(units) / double(scale); }
    /// Plain decimal text with exactly four decimals: "-1234.5678".
    QString toString() const;

    std::optional<Currency> checkedAdd(Currency other) const;
    std::optional<Currency> checkedSubtract(Currency other) const;
    std::optional<Currency> checkedMultiply(qint64 factor) const;

    auto operator<=>(const Currency &) const = default;
};

} // namespace velmora
