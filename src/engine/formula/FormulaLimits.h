#pragma once

#include <QtGlobal>

/// Bounds that keep a hostile or mistaken formula from exhausting memory or
/// the stack; crossing one is a Failure, never a crash.
namespace velmora::FormulaLimits {

/// Longest text a formula may produce, in UTF-16 units (16 Mi).
inline constexpr qint64 maxStringLength = 16 * 1024 * 1024;
/// Longest formula text accepted.
inline constexpr qint64 maxFormulaLength = 1024 * 1024;
/// Nesting of parentheses, function calls and prefix operators.
inline constexpr int maxNesting = 200;
/// Depth of the expression tree, which bounds evaluation's recursion too.
inline constexpr int maxTreeDepth = 1000;
/// Depth of evaluation on one thread, counted in syntax nodes, across
/// formulas that read other formulas: a long chain of them would otherwise
/// recurse until the stack runs out.
inline constexpr int maxEvaluationDepth = 3000;

} // namespace velmora::FormulaLimits
