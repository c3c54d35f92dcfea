#pragma once

#include "engine/writers/Biff8CellStyles.h"
#include "engine/writers/ExcelCell.h"
#include "engine/writers/SharedStringTable.h"
#include "engine/writers/SpoolFile.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace velmora {

class AtomicFileWriter;

/// Builds an Excel 97 workbook (BIFF8 in a compound file) cell by cell.
/// Cell records go straight to a spool file as they come, so a workbook of a
/// million cells costs little memory: only the shared strings, the styles
/// and a few numbers per sheet stay in memory until finish() writes the
/// workbook globals (which must hold the strings and each sheet's position)
/// followed by the sheets. Cells must be added sheet by sheet, row by row,
/// left to right. Text is only ever a string cell: no formula is written.
/// Paper is A4.
/// Limits: 65536 rows and 256 columns a sheet (cells beyond are ignored:
/// callers start a new sheet first); at most 1026 row breaks a sheet, as in
/// Excel; no colours or borders.
class Biff8WorkbookWriter {
public:
    static constexpr quint32 maxRows = 65536;
    static constexpr quint16 maxColumns = 256;

    /// Sheet names are cut to Excel's 31 characters; [ ] : * ? / \ become _.
    void beginSheet(const QString &name);
    /// Width in 1/256 of the width of a digit of the default font.
    void setColumnWidth(quint16 column, quint16 width);
    /// Makes a column of the current sheet at least `width` wide.
    void widenColumn(quint16 column, quint16 width);
    /// Every sheet prints scaled to one page wide, on paper of this
    /// orientation, as many pages tall as it takes.
    void printFitToWidth(bool landscape);
    /// A page break above `row` of the current sheet.
    void addRowBreak(quint32 row);
    /// A row of the current sheet taller than the default, in twips; rows
    /// are given in rising order.
    void setRowHeight(quint32 row, int twips);

    quint16 xfIndex(const CellStyle &style) { return m_styles.xfIndex(style); }

    void writeNumber(quint32 row, quint16 column, double value, quint16 xf);
    void writeText(quint32 row, quint16 column, const QString &text, quint16 xf);
    void writeBoolean(quint32 row, quint16 column, bool value, quint16 xf);
    /// Writes any ExcelCell (a blank writes nothing).
    void writeCell(quint32 row, quint16 column, const ExcelCell &cell, quint16 xf);

    /// Writes the whole workbook to the file.
    void finish(AtomicFileWriter &file);

    /// Twips as a column width (1/256 of a digit's width in 10-point Arial).
    static quint16 widthFromTwips(int twips);

private:
    struct Sheet {
        QString name;
        qint64 cellsStart = 0;
        qint64 cellsEnd = 0;
        std::map<quint16, quint16> columnWidths;
        std::vector<quint32> rowBreaks;
        std::vector<std::pair<quint32, quint16>> rowHeights; ///< rising rows
        quint32 lastRow = 0;
        quint16 lastColumn = 0;
        bool hasCells = false;
    };

    bool acceptCell(quint32 row, quint16 column);
    QByteArray sheetHead(const Sheet &sheet) const;
    QByteArray sheetTail(bool first) const;
    QByteArray globals(const std::vector<quint32> &sheetOffsets) const;

    std::vector<Sheet> m_sheets;
    std::optional<bool> m_fitToWidthLandscape;
    SpoolFile m_cells;
    SharedStringTable m_strings;
    Biff8CellStyles m_styles;
};

} // namespace velmora
