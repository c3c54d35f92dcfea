#include "engine/writers/XlsLayoutWriter.h"

#include "engine/core/Failure.h"
#include "engine/writers/BaselineRows.h"
#include "engine/writers/ChartTables.h"
#include "engine/writers/CellDecorations.h"
#include "engine/writers/ExportErrors.h"
#include "engine/writers/LayoutColumns.h"
#include "engine/writers/PageStream.h"
#include "engine/writers/SpoolFile.h"
#include "engine/writers/WorkbookSink.h"

#include <cmath>
#include <cstring>
#include <optional>

namespace velmora {

namespace {

/// One cell as spooled between the two passes: where it stands and what it
/// holds; a text's UTF-16 units follow it in the spool, then its link's.
struct SpooledCell {
    quint32 row = 0;
    qint32 left = 0;
    quint16 sheet = 0;
    quint16 xf = 0;
    ExcelCell::Kind kind = ExcelCell::Kind::Blank;
    bool boolean = false;
    quint32 textLength = 0;
    Twips shownWidth = 0; ///< room a cell that cannot spill over needs
    double number = 0;
    quint32 linkLength = 0;
};

/// What a sheet needs besides its cells: where pages end, and the rows
/// whose fonts make them taller than Excel's default.
struct SheetPlan {
    std::vector<quint32> pageBreaks;
    std::vector<std::pair<quint32, int>> rowHeights;
};

/// Room for a line of text: the font's size and some leading.
int rowHeightOf(const BaselineRows::Row &row)
{
    double points = 0;
    for (const TextItem *item : row.items)
        points = std::max(points, item->font.pointSize);
    return int(std::lround(points * twipsPerPoint * 1.3));
}

CellStyle styleOf(const TextItem &item, const QString &numberFormat)
{
    CellStyle style;
    style.fontFamily = item.font.family;
    style.pointSize = item.font.pointSize;
    style.bold = item.font.bold;
    style.italic = item.font.italic;
    style.underline = item.font.underline;
    style.numberFormat = numberFormat;
    style.alignment = item.alignment;
    style.alignmentGiven = true;
    style.fontColour = item.color;
    return style;
}

/// A generous width for a cell's text as the page shows it (a spreadsheet
/// shows "###" rather than cut a number): every character is counted as
/// wide as a digit, the widest of a number's and wider than most letters.
Twips shownWidthOf(const TextItem &item)
{
    constexpr double digitWidthInEm = 0.56;
    const double points = item.font.pointSize > 0 ? item.font.pointSize : 10.0;
    return Twips(std::ceil(item.text.size() * digitWidthInEm * points * twipsPerPoint));
}

/// A typed cell where the value allows one, else the text the page shows.
ExcelCell cellOf(const TextItem &item)
{
    const bool typed = item.value.isNumeric() || item.value.isTemporal()
        || item.value.type() == ValueType::Boolean;
    ExcelCell cell = typed ? ExcelCell::from(item.value) : ExcelCell{};
    if (cell.kind != ExcelCell::Kind::Number && cell.kind != ExcelCell::Kind::Boolean) {
        cell.kind = ExcelCell::Kind::Text;
        cell.text = item.text;
    }
    return cell;
}

/// First pass: the pages' cells into a spool, their edges into the columns.
class LayoutSpool {
public:
    LayoutSpool(WorkbookSink &book) : m_book(book) {}

    void addPage(const Page &drawn)
    {
        const std::optional<Page> tabulated = pageWithChartTables(drawn);
        const Page &page = tabulated ? *tabulated : drawn;
        if (!m_landscape)
            m_landscape = page.size.width() > page.size.height();
        const std::vector<BaselineRows::Row> rows = BaselineRows::of(page);
        if (m_nextRow + rows.size() > m_book.maxRows() && m_nextRow > 0) {
            m_sheets.emplace_back();
            m_nextRow = 0;
        }
        if (m_nextRow > 0)
            m_sheets.back().pageBreaks.push_back(m_nextRow);
        const CellDecorations decorations(page);
        for (const BaselineRows::Row &row : rows) {
            if (m_nextRow >= m_book.maxRows())
                break; // a single page taller than a sheet: its tail is lost
            for (const TextItem *item : row.items)
                addCell(*item, decorations);
            m_sheets.back().rowHeights.emplace_back(m_nextRow, rowHeightOf(row));
            ++m_nextRow;
        }
    }

    SpoolFile &spool() { return m_spool; }
    LayoutColumns &columns() { return m_columns; }
    const std::vector<SheetPlan> &sheets() const { return m_sheets; }
    bool landscape() const { return m_landscape.value_or(false); }

private:
    void addCell(const TextItem &item, const CellDecorations &decorations)
    {
        const ExcelCell cell = cellOf(item);
        const QString format = cell.kind == ExcelCell::Kind::Number
            ? (item.cellFormat.isEmpty() ? cell.defaultFormat : item.cellFormat)
            : QString();
        SpooledCell spooled;
        spooled.row = m_nextRow;
        // A right-aligned field (a number, usually) goes in the column where
        // its text ends, so that the column is wide enough to show it.
        spooled.left = item.alignment == HorizontalAlignment::Right ? item.box.right() - 1 : item.box.left();
        spooled.sheet = quint16(m_sheets.size() - 1);
        CellStyle style = styleOf(item, format);
        decorations.decorate(item, style);
        spooled.xf = m_book.xfIndex(style);
        spooled.kind = cell.kind;
        spooled.boolean = cell.boolean;
        spooled.number = cell.number;
        spooled.textLength = cell.kind == ExcelCell::Kind::Text ? quint32(cell.text.size()) : 0;
        // A number never spills into the next cell, and a right-aligned text
        // could only spill left, where the neighbour usually is: their
        // column must hold them whole.
        const bool mustFit = cell.kind == ExcelCell::Kind::Number
            || (cell.kind == ExcelCell::Kind::Text && item.alignment == HorizontalAlignment::Right);
        spooled.shownWidth = mustFit ? shownWidthOf(item) : 0;
        spooled.linkLength = quint32(item.link.size());
        m_spool.write(QByteArrayView(reinterpret_cast<const char *>(&spooled), sizeof spooled));
        writeUnits(cell.kind == ExcelCell::Kind::Text ? cell.text : QString());
        writeUnits(item.link);
        m_columns.add(item.box.left(), item.box.right() + 1);
    }

    void writeUnits(const QString &text)
    {
        if (!text.isEmpty())
            m_spool.write(QByteArrayView(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
    }

    WorkbookSink &m_book;
    SpoolFile m_spool;
    LayoutColumns m_columns;
    std::vector<SheetPlan> m_sheets{1};
    quint32 m_nextRow = 0;
    std::optional<bool> m_landscape; ///< the first page's orientation
};

[[noreturn]] void spoolBroken()
{
    throw Failure(ExportErrors::SpoolFailed,
                  QStringLiteral("No s'han pogut rellegir les cel·les del fitxer temporal."));
}

void readUnits(QIODevice &in, quint32 length, QString &text)
{
    text.resize(qsizetype(length));
    const qint64 bytes = qint64(length) * 2;
    if (bytes > 0 && in.read(reinterpret_cast<char *>(text.data()), bytes) != bytes)
        spoolBroken();
}

SpooledCell readCell(QIODevice &in, QString &text, QString &link)
{
    SpooledCell cell;
    if (in.read(reinterpret_cast<char *>(&cell), sizeof cell) != qint64(sizeof cell))
        spoolBroken();
    readUnits(in, cell.textLength, text);
    readUnits(in, cell.linkLength, link);
    return cell;
}

QString sheetName(int index)
{
    return index == 0 ? QStringLiteral("Informe") : QStringLiteral("Informe (%1)").arg(index + 1);
}

void beginSheet(WorkbookSink &book, int index, const SheetPlan &plan, const LayoutColumns &columns)
{
    book.beginSheet(sheetName(index));
    for (int column = 0; column < columns.count(); ++column)
        book.setColumnWidth(quint16(column), WorkbookSink::widthFromTwips(columns.width(column)));
    for (quint32 row : plan.pageBreaks)
        book.addRowBreak(row);
    for (const auto &[row, twips] : plan.rowHeights)
        book.setRowHeight(row, twips);
}

/// Second pass: the spooled cells into the workbook, now that the columns
/// are known.
void replay(LayoutSpool &spool, WorkbookSink &book, const CancelToken &cancel)
{
    LayoutColumns &columns = spool.columns();
    columns.settle(book.maxColumns());
    QIODevice &in = spool.spool().rewound();
    const qint64 end = spool.spool().size();
    int sheet = -1;
    quint32 lastRow = 0;
    int lastColumn = -1;
    QString text;
    QString link;
    for (qint64 done = 0; in.pos() < end; ++done) {
        if (done % 65536 == 0)
            PageStream::throwIfCancelled(cancel);
        const SpooledCell cell = readCell(in, text, link);
        while (sheet < int(cell.sheet)) {
            ++sheet;
            beginSheet(book, sheet, spool.sheets()[size_t(sheet)], columns);
        }
        if (cell.row != lastRow || done == 0)
            lastColumn = -1;
        lastRow = cell.row;
        const int column = std::max(columns.columnOf(cell.left), lastColumn + 1);
        lastColumn = column;
        if (column >= book.maxColumns())
            continue;
        ExcelCell excel;
        excel.kind = cell.kind;
        excel.number = cell.number;
        excel.boolean = cell.boolean;
        excel.text = text;
        book.writeCell(cell.row, quint16(column), excel, cell.xf);
        if (!link.isEmpty())
            book.addLink(cell.row, quint16(column), link);
        if (cell.shownWidth > 0)
            book.widenColumn(quint16(column), WorkbookSink::widthFromTwips(cell.shownWidth));
    }
    while (sheet + 1 < int(spool.sheets().size())) {
        ++sheet;
        beginSheet(book, sheet, spool.sheets()[size_t(sheet)], columns);
    }
}

} // namespace

void XlsLayoutWriter::write(PageSource &pages, WorkbookSink &book, AtomicFileWriter &file,
                            const CancelToken &cancel, const ProgressCallback &progress) const
{
    LayoutSpool spool(book);
    PageStream::forEachPage(pages, cancel, progress, [&](const Page &page, int) { spool.addPage(page); });
    book.printFitToWidth(spool.landscape());
    replay(spool, book, cancel);
    book.finish(file);
}

} // namespace velmora
