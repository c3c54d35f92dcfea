#pragma once

namespace velmora {

/// The summaries a formula may ask of its report, over the whole report or
/// over each group of a group field: `Sum({T.F})`, `Sum({T.F}, {T.G})`.
enum class SummaryFunction { Sum, Count, DistinctCount, Average, Minimum, Maximum };

} // namespace velmora
