#pragma once

#include "engine/page/PageSource.h"

namespace velmora {

class AtomicFileWriter;

/// Export format 36, "Excel data only": the report's detail records as a
/// plain table in an Excel 97 workbook. Row 1 holds the column headings in
/// bold, then one row per record in report order, each value a typed cell
/// (ExcelCell: numbers with a number format, dates as date serials with a
/// date format, booleans, text; Null leaves the cell empty). A table longer
/// than a sheet (65536 rows) goes on in "Dades (2)", "Dades (3)"... each
/// starting with the headings again. Column widths follow the longest text
/// seen in each column. Limits: the first 256 columns only; no groups,
/// totals or page layout (that is format 29).
class XlsDataWriter {
public:
    void write(const RecordTable &records, AtomicFileWriter &file, const CancelToken &cancel,
               const ProgressCallback &progress) const;
};

} // namespace velmora
