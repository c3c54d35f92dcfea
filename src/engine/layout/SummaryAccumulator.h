#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/layout/ValueOrder.h"

#include <optional>
#include <unordered_set>

namespace velmora {

/// Folds the values of one group (or of the whole report) into a summary.
/// Nulls are skipped by every operation, Count included. Sums stay exact
/// while every value is Integer or Currency, and move to floating point only
/// when a Number joins or an exact sum would overflow.
class SummaryAccumulator {
public:
    explicit SummaryAccumulator(SummaryOperation operation) : m_operation(operation) {}

    void add(const Value &value);
    /// The summary of what was added; Null when nothing was (Count and
    /// DistinctCount give 0).
    Value result() const;
    void reset();

private:
    void addToSum(const Value &value);

    SummaryOperation m_operation;
    qint64 m_count = 0;
    enum class SumKind { None, Integer, Currency, Number } m_sumKind = SumKind::None;
    qint64 m_integerSum = 0;
    Currency m_currencySum;
    double m_numberSum = 0.0;
    std::optional<Value> m_extreme;
    std::unordered_set<Value, ValueHash, ValueEqual> m_distinct;
};

} // namespace velmora
