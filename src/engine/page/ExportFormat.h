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
constexpr qint32 Csv = 40;         ///< .csv, the detail records, comma-separated
constexpr qint32 CsvSemicolon = 41; ///< .csv, the detail records, semicolon-separated
constexpr qint32 XlsxLayout = 42;  ///< .xlsx keeping the page layout as a grid
constexpr qint32 XlsxData = 43;    ///< .xlsx with one row per detail record

/// Whether the format writes the detail records rather than the pages.
constexpr bool readsRecords(qint32 formatType)
{
    return formatType == ExcelData || formatType == XlsxData || formatType == Csv || formatType == CsvSemicolon;
}
} // namespace ExportFormat

} // namespace velmora
