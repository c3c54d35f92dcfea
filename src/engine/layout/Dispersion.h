#pragma once

#include "engine/core/Value.h"

namespace velmora {

/// Variance and standard deviation of the numbers of one group. The sums
/// of Integer and Currency values are exact (128-bit ten-thousandths), so
/// the only rounding is the final division; a Number, or a sum that would
/// overflow, moves the work to floating point. Other values are skipped.
class Dispersion {
public:
    void add(const Value &value);
    /// Sample (divided by n - 1; Null below two values) or population
    /// (divided by n; Null when empty). Always a Number.
    Value variance(bool sample) const;
    Value deviation(bool sample) const;

private:
    void addInexact(double x);

    qint64 m_count = 0;
    bool m_exact = true;
    __int128 m_sum = 0;
    __int128 m_sumOfSquares = 0;
    // Welford's running mean and squared distance, kept alongside so that
    // leaving the exact sums costs nothing.
    double m_mean = 0;
    double m_squaredDistance = 0;
};

} // namespace velmora
