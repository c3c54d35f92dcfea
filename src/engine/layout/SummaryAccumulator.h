#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/layout/Dispersion.h"
#include "engine/layout/NumericColumn.h"
#include "engine/layout/ValueOrder.h"
#include "engine/layout/ValueRanks.h"
#include "engine/layout/WeightedMean.h"

#include <memory>
#include <optional>
#include <unordered_set>

namespace velmora {

/// Folds the values of one group (or of the whole report) into a summary.
/// Nulls are skipped by every operation, Count included. Sums stay exact
/// while every value is Integer or Currency, and move to floating point only
/// when a Number joins or an exact sum would overflow. The statistical
/// operations are worked out by the classes named in their members, made
/// only for the operation that needs them: a plain sum, count, average,
/// minimum or maximum stays small, as a cross-tab's many cells need.
class SummaryAccumulator {
public:
    /// `argument` is N or P for the operations that take one.
    explicit SummaryAccumulator(SummaryOperation operation, double argument = 0);

    /// `weight` is read by WeightedAverage only.
    void add(const Value &value, const Value &weight = Value());
    /// The summary of what was added; Null when nothing was (Count and
    /// DistinctCount give 0).
    Value result() const;
    void reset();

private:
    void addToSum(const Value &value);

    SummaryOperation m_operation;
    double m_argument;
    qint64 m_count = 0;
    enum class SumKind { None, Integer, Currency, Number } m_sumKind = SumKind::None;
    qint64 m_integerSum = 0;
    Currency m_currencySum;
    double m_numberSum = 0.0;
    std::optional<Value> m_extreme;
    struct Collections {
        Collections(int n, bool largest) : extremes(n, largest) {}
        std::unordered_set<Value, ValueHash, ValueEqual> distinct;
        NumericColumn column;
        Dispersion dispersion;
        WeightedMean weighted;
        ExtremeValues extremes;
        ValueFrequencies frequencies;
    };
    std::unique_ptr<Collections> m_collections; ///< none for the plain operations
};

} // namespace velmora
