#pragma once

#include "engine/page/PageSource.h"

#include <QString>
#include <QtGlobal>

namespace velmora {

/// The export format type codes a report's export options carry.
namespace ExportFormat {
constexpr qint32 PlainText = 8;     ///< .txt, the pages on a character grid
constexpr qint32 Word = 14;         ///< .doc written as RTF
constexpr qint32 ExcelLayout = 29;  ///< .xls keeping the page layout as a grid
constexpr qint32 Pdf = 31;          ///< .pdf
constexpr qint32 ExcelData = 36;    ///< .xls with one row per detail record
} // namespace ExportFormat

/// Everything one export needs. `pages` serves every format but Excel data
/// only (36), which reads `records`; neither is owned.
/// PDF options: first = PDF version (1: 1.4, 2 or 0: 1.5); second = outline
/// (1: none, 2 or 0: bookmarks from the report's groups).
struct ExportRequest {
    qint32 formatType = ExportFormat::Pdf;
    QString path{};
    qint32 pdfFirstOption = 2;
    qint32 pdfSecondOption = 2;
    PageSource *pages = nullptr;
    const RecordTable *records = nullptr;
    QString title{};
};

} // namespace velmora
