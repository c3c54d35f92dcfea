#pragma once

#include "engine/writers/Biff8CellStyles.h"
#include "engine/writers/ExcelCell.h"

#include <QString>

namespace velmora {

class AtomicFileWriter;

/// A spreadsheet file being built cell by cell, whatever its format: the
/// Excel writers plan rows, columns and styles once and hand them to the
/// workbook of the format asked for (Biff8WorkbookWriter for .xls,
/// XlsxWorkbookWriter for .xlsx). Cells must be added sheet by sheet, row by
/// row; text is only ever a string cell, never a formula. Cells, breaks and
/// heights beyond the sheet's limits are ignored: callers start a new sheet
/// first.
class WorkbookSink {
public:
    virtual ~WorkbookSink() = default;

    virtual quint32 maxRows() const = 0;
    virtual quint16 maxColumns() const = 0;

    /// Sheet names are cut to Excel's 31 characters; [ ] : * ? / \ become _.
    virtual void beginSheet(const QString &name) = 0;
    /// Width in 1/256 of the width of a digit of the default font.
    virtual void setColumnWidth(quint16 column, quint16 width) = 0;
    /// Makes a column of the current sheet at least `width` wide.
    virtual void widenColumn(quint16 column, quint16 width) = 0;
    /// Every sheet prints scaled to one page wide, on A4 of this
    /// orientation, as many pages tall as it takes.
    virtual void printFitToWidth(bool landscape) = 0;
    /// A page break above `row` of the current sheet.
    virtual void addRowBreak(quint32 row) = 0;
    /// A row of the current sheet taller than the default, in twips; rows
    /// are given in rising order.
    virtual void setRowHeight(quint32 row, int twips) = 0;

    /// The index cells of this style carry.
    virtual quint16 xfIndex(const CellStyle &style) = 0;
    virtual void writeText(quint32 row, quint16 column, const QString &text, quint16 xf) = 0;
    /// Writes any ExcelCell (a blank writes nothing).
    virtual void writeCell(quint32 row, quint16 column, const ExcelCell &cell, quint16 xf) = 0;
    /// Makes a written cell of the current sheet a link to `address` (an
    /// http, https or mailto address). By default links are left out.
    virtual void addLink(quint32 /*row*/, quint16 /*column*/, const QString & /*address*/) {}

    /// Writes the whole workbook to the file.
    virtual void finish(AtomicFileWriter &file) = 0;

    /// Twips as a column width (1/256 of a digit's width in 10-point Arial).
    static quint16 widthFromTwips(int twips);
    /// The name a sheet may carry in either format.
    static QString safeSheetName(const QString &name);
    /// The longest text a cell holds in either format.
    static constexpr qsizetype maxTextLength = 32767;
};

} // namespace velmora
