#pragma once

namespace velmora {

/// A value axis: from `low` to `high` in steps of `step`, each step 1, 2 or
/// 5 times a power of ten, the whole covering the data.
struct ValueScale {
    double low = 0;
    double high = 1;
    double step = 0.2;

    int stepCount() const;
    /// The value of tick `index` (0 at `low`), without the drift of adding
    /// steps one by one.
    double tick(int index) const;
    /// Where `value` falls from 0 (low) to 1 (high).
    double fraction(double value) const;
    /// The digits after the decimal comma that the ticks need.
    int decimals() const;
};

/// The scale for values from `minimum` to `maximum` with at most
/// `maximumSteps` steps (at least 1). With `includeZero` the axis reaches 0
/// whatever the data. Equal ends (one value, or all zero) still give an
/// axis one step wide around them; values that are not finite are taken as 0.
ValueScale niceScale(double minimum, double maximum, int maximumSteps, bool includeZero);

} // namespace velmora
