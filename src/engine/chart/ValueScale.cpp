#include "engine/chart/ValueScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

/// Values beyond this are taken as this: the span between two of them
/// must stay finite.
constexpr double largestValue = 1e300;

double finite(double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? 0.0 : std::copysign(largestValue, value);
    return std::clamp(value, -largestValue, largestValue);
}

double niceStep(double rawStep)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(rawStep)));
    const double residual = rawStep / magnitude;
    for (double nice : {1.0, 2.0, 5.0})
        if (residual <= nice * (1 + 1e-9))
            return nice * magnitude;
    return 10.0 * magnitude;
}

/// The steps from the origin to `value`, rounded down or up, forgiving the
/// last bits that division loses.
double stepsTo(double value, double step, bool up)
{
    const double exact = value / step;
    const double rounded = std::round(exact);
    if (std::abs(exact - rounded) < 1e-9 * std::max(1.0, std::abs(exact)))
        return rounded;
    return up ? std::ceil(exact) : std::floor(exact);
}

} // namespace

int ValueScale::stepCount() const
{
    return std::max(1, int(std::lround((high - low) / step)));
}

double ValueScale::tick(int index) const
{
    const double value = low + index * step;
    // Zero printed as "-0" or 1e-17 would look wrong on an axis.
    return std::abs(value) < step * 1e-9 ? 0.0 : value;
}

double ValueScale::fraction(double value) const
{
    return high > low ? (value - low) / (high - low) : 0.0;
}

int ValueScale::decimals() const
{
    if (step >= 1)
        return 0;
    return std::clamp(int(std::ceil(-std::log10(step) - 1e-9)), 0, 15);
}

ValueScale niceScale(double minimum, double maximum, int maximumSteps, bool includeZero)
{
    double lowest = finite(std::min(minimum, maximum));
    double highest = finite(std::max(minimum, maximum));
    if (includeZero) {
        lowest = std::min(lowest, 0.0);
        highest = std::max(highest, 0.0);
    }
    if (highest == lowest) {
        // One value: an axis around it; all zero: from 0 to 1.
        if (lowest == 0) {
            highest = 1.0;
        } else {
            const double half = std::abs(lowest) / 2;
            lowest -= half;
            highest += half;
        }
    }
    const int steps = std::max(1, maximumSteps);
    // Each end divided first keeps the span finite near the largest values.
    const double step = niceStep(highest / steps - lowest / steps);
    ValueScale scale;
    scale.step = step > 0 && std::isfinite(step) ? step : std::numeric_limits<double>::min();
    for (int attempt = 0; attempt < 4; ++attempt) {
        scale.low = stepsTo(lowest, scale.step, false) * scale.step;
        scale.high = stepsTo(highest, scale.step, true) * scale.step;
        if (scale.high <= scale.low)
            scale.high = scale.low + scale.step;
        if ((scale.high - scale.low) / scale.step <= steps + 1e-9)
            break;
        scale.step = niceStep(scale.step * 1.5);
    }
    return scale;
}

} // namespace velmora
