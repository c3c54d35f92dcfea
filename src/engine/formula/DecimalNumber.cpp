#include "engine/formula/DecimalNumber.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace velmora {

DecimalNumber DecimalNumber::fromValue(const Value &value)
{
    switch (value.type()) {
    case ValueType::Integer: return fromScaled(value.asInteger(), 0);
    case ValueType::Currency: return fromScaled(value.asCurrency().units, 4);
    default: return fromDouble(value.toDouble());
    }
}

DecimalNumber DecimalNumber::fromDouble(double value)
{
    DecimalNumber number;
    if (!std::isfinite(value) || value == 0.0)
        return number;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view text(buffer, size_t(result.ptr - buffer));
    const size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (c == '-')
            number.m_negative = true;
        else if (c != '.')
            number.m_digits += c;
    }
    number.m_exponent = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    number.stripTrailingZeros();
    return number;
}

DecimalNumber DecimalNumber::fromScaled(qint64 units, int decimals)
{
    DecimalNumber number;
    number.m_negative = units < 0;
    // Unsigned, so that the most negative value has a magnitude.
    const quint64 magnitude = units < 0 ? quint64(0) - quint64(units) : quint64(units);
    number.m_digits = magnitude == 0 ? std::string() : std::to_string(magnitude);
    number.m_exponent = int(number.m_digits.size()) - decimals;
    number.stripTrailingZeros();
    return number;
}

void DecimalNumber::stripTrailingZeros()
{
    while (!m_digits.empty() && m_digits.back() == '0')
        m_digits.pop_back();
    const size_t leading = m_digits.find_first_not_of('0');
    if (leading == std::string::npos) {
        m_digits.clear();
        m_exponent = 0;
    } else if (leading > 0) {
        m_digits.erase(0, leading);
        m_exponent -= int(leading);
    }
}

void DecimalNumber::multiplyByPowerOfTen(int power)
{
    if (!isZero())
        m_exponent += power;
}

void DecimalNumber::roundToPlaces(int places, bool truncate)
{
    const long keep = long(m_exponent) + places;
    if (keep >= long(m_digits.size()))
        return;
    if (keep < 0) {
        m_digits.clear();
        m_exponent = 0;
        return;
    }
    const bool roundUp = !truncate && m_digits[size_t(keep)] >= '5';
    m_digits.resize(size_t(keep));
    if (roundUp) {
        size_t i = m_digits.size();
        while (i > 0 && m_digits[i - 1] == '9')
            m_digits[--i] = '0';
        if (i == 0) {
            m_digits.insert(m_digits.begin(), '1');
            ++m_exponent;
        } else {
            ++m_digits[i - 1];
        }
    }
    stripTrailingZeros();
}

std::string DecimalNumber::integerDigits() const
{
    if (m_exponent <= 0)
        return "0";
    std::string digits = m_digits.substr(0, size_t(m_exponent));
    digits.append(size_t(m_exponent) - digits.size(), '0');
    return digits;
}

std::string DecimalNumber::fractionDigits(int count) const
{
    std::string digits;
    for (int i = 0; i < count; ++i) {
        const long at = long(m_exponent) + i;
        digits += at >= 0 && at < long(m_digits.size()) ? m_digits[size_t(at)] : '0';
    }
    return digits;
}

double DecimalNumber::toDouble() const
{
    if (isZero())
        return 0.0;
    const std::string text = (m_negative ? "-0." : "0.") + m_digits + 'e' + std::to_string(m_exponent);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace velmora
