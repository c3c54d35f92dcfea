#pragma once

#include "engine/core/Value.h"

#include <string>

namespace velmora {

/// A number as decimal digits, so that rounding and formatting work on the
/// digits a user sees: 1.005 is "1005" and rounds to 1.01, as on paper,
/// where binary arithmetic would give 1.00. A Number becomes the shortest
/// digits that read back as the same double; Integer and Currency are exact.
/// The value is 0.digits × 10^exponent.
class DecimalNumber {
public:
    static DecimalNumber fromValue(const Value &value);
    static DecimalNumber fromDouble(double value);
    static DecimalNumber fromScaled(qint64 units, int decimals);

    bool isNegative() const { return m_negative && !isZero(); }
    bool isZero() const { return m_digits.empty(); }
    void setNegative(bool negative) { m_negative = negative; }
    void multiplyByPowerOfTen(int power);
    /// Rounds half away from zero (or cuts, when `truncate`) to `places`
    /// decimals; negative places round to tens, hundreds...
    void roundToPlaces(int places, bool truncate = false);

    /// The digits before the decimal point, "0" when there are none.
    std::string integerDigits() const;
    /// The first `count` digits after the decimal point, zero-padded.
    std::string fractionDigits(int count) const;
    double toDouble() const;

private:
    void stripTrailingZeros();

    bool m_negative = false;
    std::string m_digits;
    int m_exponent = 0;
};

} // namespace velmora
