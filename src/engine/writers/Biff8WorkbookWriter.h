#pragma once

#include "engine/writers/SharedStringTable.h"
#include "engine/writers/SpoolFile.h"
#include "engine/writers/WorkbookSink.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace velmora {

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
/// Excel.
class Biff8WorkbookWriter : public WorkbookSink {
public:
    static constexpr quint32 sheetRows = 65536;
    static constexpr quint16 sheetColumns = 256;

    quint32 maxRows() const override { return sheetRows; }
    quint16 maxColumns() const override { return sheetColumns; }

    void beginSheet(const QString &name) override;
    void setColumnWidth(quint16 column, quint16 width) override;
    void widenColumn(quint16 column, quint16 width) override;
    void printFitToWidth(bool landscape) override;
    /// At most 1026 a sheet, as in Excel.
    void addRowBreak(quint32 row) override;
    void setRowHeight(quint32 row, int twips) override;

    quint16 xfIndex(const CellStyle &style) override { return m_styles.xfIndex(style); }

    void writeNumber(quint32 row, quint16 column, double value, quint16 xf);
    void writeText(quint32 row, quint16 column, const QString &text, quint16 xf) override;
    void writeBoolean(quint32 row, quint16 column, bool value, quint16 xf);
    void writeCell(quint32 row, quint16 column, const ExcelCell &cell, quint16 xf) override;
    void addLink(quint32 row, quint16 column, const QString &address) override;

    void finish(AtomicFileWriter &file) override;

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
        QByteArray links; ///< HLINK records, after the sheet's window
    };

    bool acceptCell(quint32 row, quint16 column);
    QByteArray sheetHead(const Sheet &sheet) const;
    QByteArray sheetTail(const Sheet &sheet, bool first) const;
    QByteArray globals(const std::vector<quint32> &sheetOffsets) const;

    std::vector<Sheet> m_sheets;
    std::optional<bool> m_fitToWidthLandscape;
    SpoolFile m_cells;
    SharedStringTable m_strings;
    Biff8CellStyles m_styles;
};

} // namespace velmora
