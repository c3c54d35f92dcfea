#pragma once

#include <QtGlobal>

/// Failure numbers of formatting formulas: 5020-5029 when the report is
/// compiled (docs/layout.md), 4510-4519 at a record (docs/formulas.md).
namespace velmora::FormattingErrors {
constexpr qint32 PropertyTypeAtOpen = 5020;
constexpr qint32 PropertyType = 4510;
constexpr qint32 PropertyValue = 4511;
} // namespace velmora::FormattingErrors
