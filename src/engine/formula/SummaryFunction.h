#pragma once

namespace velmora {

/// The summaries a formula may ask of its report, over the whole report or
/// over each group of a group field: `Sum({T.F})`, `Sum({T.F}, {T.G})`,
/// `Percentile(90, {T.F}, {T.G})`, `WeightedAverage({T.F}, {T.W}, {T.G})`.
/// In the order of the report definition's operations, so that one maps
/// onto the other by number.
enum class SummaryFunction {
    Sum, Count, DistinctCount, Average, Minimum, Maximum,
    Median, Mode, NthLargest, NthSmallest, NthMostFrequent, Percentile,
    StdDev, PopulationStdDev, Variance, PopulationVariance, WeightedAverage,
};

/// Whether the function's first argument is a number (N, or P for Percentile).
inline bool summaryFunctionTakesArgument(SummaryFunction fn)
{
    return fn == SummaryFunction::NthLargest || fn == SummaryFunction::NthSmallest
        || fn == SummaryFunction::NthMostFrequent || fn == SummaryFunction::Percentile;
}

} // namespace velmora
