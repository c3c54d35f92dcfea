#pragma once

#include "engine/core/Value.h"
#include "engine/layout/ValueOrder.h"

#include <set>
#include <unordered_map>

namespace velmora {

/// The N-th largest or N-th smallest distinct value, in the order of values
/// used for sorting (so it works for text and dates too). Holds only the N
/// best values seen. Equal values count once; Null when there are fewer
/// than N distinct values.
class ExtremeValues {
public:
    ExtremeValues(int n, bool largest) : m_n(size_t(n)), m_largest(largest) {}
    void add(const Value &value);
    Value result() const;

private:
    struct Before {
        bool operator()(const Value &a, const Value &b) const { return collateValues(a, b) < 0; }
    };
    size_t m_n;
    bool m_largest;
    std::set<Value, Before> m_best;
};

/// How often each distinct value occurs, for the mode and the N-th most
/// frequent value. Values tied in frequency rank by the order of values,
/// the smallest first; Null when there are fewer than N distinct values.
class ValueFrequencies {
public:
    void add(const Value &value) { ++m_counts[value]; }
    Value nthMostFrequent(int n) const;

private:
    std::unordered_map<Value, qint64, ValueHash, ValueEqual> m_counts;
};

} // namespace velmora
