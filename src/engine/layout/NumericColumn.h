#pragma once

#include "engine/core/Value.h"

#include <vector>

namespace velmora {

/// The numbers of one group, kept for a median or a percentile: the one
/// column of values these need. Integer and Currency values are kept as
/// exact ten-thousandths until a Number joins; other values are skipped.
class NumericColumn {
public:
    void add(const Value &value);
    /// The P-th percentile (0 to 100), interpolated linearly between the two
    /// values around rank (n - 1) * P / 100; the median is the 50th. Currency
    /// when a value was Currency and all were exact, else a Number; Null when
    /// the column is empty.
    Value percentile(double p) const;

private:
    void becomeInexact();

    // Mutable: picking the ranks reorders the values, never changes them.
    mutable std::vector<qint64> m_units;
    mutable std::vector<double> m_numbers;
    bool m_exact = true;
    bool m_anyCurrency = false;
};

} // namespace velmora
