#pragma once

#include "engine/page/PageSource.h"

namespace velmora {

class AtomicFileWriter;
class WorkbookSink;

/// Export formats 36 and 43, "Excel data only": the report's detail records
/// as a plain table in a workbook (Excel 97 or Office Open XML, as the
/// WorkbookSink writes it). Row 1 holds the column headings in
/// bold, then one row per record in report order, each value a typed cell
/// (ExcelCell: numbers with a number format, dates as date serials with a
/// date format, booleans, text; Null leaves the cell empty). A table longer
/// than a sheet (65536 rows in Excel 97, 1048576 in OOXML) goes on in
/// "Dades (2)", "Dades (3)"... each starting with the headings again. Column
/// widths follow the longest text seen in each column. Limits: the sheet's
/// columns only (256 in Excel 97); no groups, totals or page layout (that is
/// the layout export).
class XlsDataWriter {
public:
    void write(const RecordTable &records, WorkbookSink &book, AtomicFileWriter &file,
               const CancelToken &cancel, const ProgressCallback &progress) const;
};

} // namespace velmora
