#pragma once

#include <QtGlobal>

namespace velmora {

/// Export format type codes of a report's export options, one numbering for
/// the whole program (docs/exports.md).
namespace ExportFormat {
constexpr qint32 Text = 8;         ///< .txt, the pages on a character grid
constexpr qint32 Word = 14;        ///< .doc written as RTF
constexpr qint32 ExcelLayout = 29; ///< .xls keeping the page layout as a grid
constexpr qint32 PDF = 31;         ///< .pdf
constexpr qint32 ExcelData = 36;   ///< .xls with one row per detail record
} // namespace ExportFormat

} // namespace velmora
