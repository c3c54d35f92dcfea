#pragma once

#include "engine/writers/WorkbookSink.h"

#include <map>
#include <optional>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace velmora {

/// Builds an Office Open XML workbook (.xlsx) through libxlsxwriter. The
/// format is a zip of XML parts bound by relationships, content types and a
/// shared style sheet; Debian's libxlsxwriter writes them as Excel expects
/// and, in its constant-memory mode, streams each finished row to a scratch
/// file, so a sheet of a million rows costs little memory. That mode wants
/// rows in rising order, which every Excel writer here keeps; the cells of
/// the current row stay in memory until the next row starts, and strings
/// are stored inline rather than in a shared table.
///
/// The library writes the file by name, into the AtomicFileWriter's
/// temporary file, when finish() is called; until then nothing is written,
/// and a writer destroyed before finish() leaves the temporary file empty
/// (AtomicFileWriter removes it). Column widths, page breaks and print
/// settings of a sheet are given to the library when the sheet is over.
/// Limits: 1048576 rows and 16384 columns a sheet; at most 1023 page breaks
/// a sheet (Excel's limit; later ones are dropped); at most 60000 cell
/// styles (beyond that, cells fall back to the default style).
class XlsxWorkbookWriter : public WorkbookSink {
public:
    explicit XlsxWorkbookWriter(AtomicFileWriter &file);
    ~XlsxWorkbookWriter() override;
    XlsxWorkbookWriter(const XlsxWorkbookWriter &) = delete;
    XlsxWorkbookWriter &operator=(const XlsxWorkbookWriter &) = delete;

    quint32 maxRows() const override { return 1048576; }
    quint16 maxColumns() const override { return 16384; }

    void beginSheet(const QString &name) override;
    void setColumnWidth(quint16 column, quint16 width) override;
    void widenColumn(quint16 column, quint16 width) override;
    void printFitToWidth(bool landscape) override;
    void addRowBreak(quint32 row) override;
    void setRowHeight(quint32 row, int twips) override;

    quint16 xfIndex(const CellStyle &style) override;
    void writeText(quint32 row, quint16 column, const QString &text, quint16 xf) override;
    void writeCell(quint32 row, quint16 column, const ExcelCell &cell, quint16 xf) override;

    void finish(AtomicFileWriter &file) override;

private:
    struct Sheet {
        lxw_worksheet *worksheet = nullptr;
        std::map<quint16, quint16> columnWidths;
        std::vector<quint32> rowBreaks;
        std::vector<std::pair<quint32, int>> rowHeights; ///< rising rows, not yet given
        size_t heightsGiven = 0;
    };

    bool acceptCell(quint32 row, quint16 column);
    void giveRowHeightsUpTo(quint32 row);
    void closeSheet();
    void check(int error) const;
    lxw_format *formatOf(quint16 xf) const;

    QString m_displayName;
    lxw_workbook *m_workbook = nullptr;
    Sheet m_sheet;
    std::optional<bool> m_fitToWidthLandscape;
    std::map<CellStyle, quint16> m_xfByStyle;
    std::vector<lxw_format *> m_formats{nullptr}; ///< index 0: the default style
};

} // namespace velmora
