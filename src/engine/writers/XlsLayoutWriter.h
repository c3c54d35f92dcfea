#pragma once

#include "engine/page/PageSource.h"

namespace velmora {

class AtomicFileWriter;
class WorkbookSink;

/// Export formats 29 and 42, "Excel layout": the report as it is laid out,
/// in a workbook (Excel 97 or Office Open XML, as the WorkbookSink writes
/// it). Each printed line of a page (BaselineRows) becomes a
/// row and each text goes to the column of its left edge (LayoutColumns),
/// with a page break where a page ends, so the sheet reads like the report.
/// Fields keep their type: numbers, currency and dates are number cells in
/// the field's own format, booleans are booleans, everything else is the
/// text the page shows; text is never read as a formula. Cells keep their
/// font (family, size, bold, italic, underline) and alignment; columns are
/// as wide as the layout's, widened where a number or a right-aligned text
/// would not fit (a spreadsheet shows "###" rather than cut a number, and
/// cuts a text that has a neighbour to spill into). Sheets print one page wide,
/// in the orientation of the report's first page. A report longer than a sheet (65536 rows in
/// Excel 97, 1048576 in OOXML) continues on "Informe (2)"..., a page never
/// split between sheets.
/// The pages are read once: cells are spooled to a scratch file until the
/// columns of the whole report are known.
/// Cells keep the page's colours: the text's colour, the fill of the box or
/// background under it and a border where a line runs along it
/// (CellDecorations); a linked text is a hyperlink cell (Excel 97 only).
/// Limits: lines along no text, boxes' insides without text and pictures
/// are left out; vertical
/// spacing between lines is not kept; two texts meeting in one cell move
/// the second one column right (dropped past the sheet's last column).
class XlsLayoutWriter {
public:
    void write(PageSource &pages, WorkbookSink &book, AtomicFileWriter &file, const CancelToken &cancel,
               const ProgressCallback &progress) const;
};

} // namespace velmora
