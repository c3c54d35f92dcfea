#pragma once

#include <QtGlobal>

/// Failure numbers of the formula language, listed for users in docs/formulas.md.
/// 4000-4499: the text of a formula and its names; 4500-4999: evaluation.
namespace velmora::FormulaErrors {

inline constexpr qint32 UnexpectedCharacter = 4001;
inline constexpr qint32 UnterminatedString = 4002;
inline constexpr qint32 InvalidDate = 4003;
inline constexpr qint32 InvalidReference = 4004;
inline constexpr qint32 UnexpectedToken = 4005;
inline constexpr qint32 UnknownName = 4006;
inline constexpr qint32 WrongArgumentCount = 4007;
inline constexpr qint32 TooDeeplyNested = 4008;
inline constexpr qint32 EmptyFormula = 4009;
inline constexpr qint32 FormulaTooLong = 4010;
inline constexpr qint32 SummaryNeedsReference = 4011;
inline constexpr qint32 UnknownReference = 4020;
inline constexpr qint32 UnknownSummary = 4021;
inline constexpr qint32 NotBound = 4022;

inline constexpr qint32 DivisionByZero = 4501;
inline constexpr qint32 TypeMismatch = 4502;
inline constexpr qint32 NumericOverflow = 4503;
inline constexpr qint32 NotAFiniteNumber = 4504;
inline constexpr qint32 DateOutOfRange = 4505;
inline constexpr qint32 StringTooLong = 4506;
inline constexpr qint32 InvalidArgument = 4507;
inline constexpr qint32 NotANumber = 4508;
inline constexpr qint32 EvaluationTooDeep = 4509;

} // namespace velmora::FormulaErrors
