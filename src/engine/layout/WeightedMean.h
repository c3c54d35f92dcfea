#pragma once

#include "engine/core/Value.h"

namespace velmora {

/// Σ(weight·value) / Σweight over the records where both are numbers.
/// Exact while both are Integer or Currency; Currency when a value was
/// Currency, else a Number; Null when nothing was added or the weights add
/// up to zero.
class WeightedMean {
public:
    void add(const Value &value, const Value &weight);
    Value result() const;

private:
    bool m_any = false;
    bool m_exact = true;
    bool m_anyCurrency = false;
    __int128 m_weightSum = 0;
    __int128 m_weightedSum = 0;
    long double m_inexactWeightSum = 0;
    long double m_inexactWeightedSum = 0;
};

} // namespace velmora
