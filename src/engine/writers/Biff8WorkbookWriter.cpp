#include "engine/writers/Biff8WorkbookWriter.h"

#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/Biff8Hyperlink.h"
#include "engine/writers/Biff8Record.h"
#include "engine/writers/CompoundFileWriter.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr quint16 bofType = 0x0809;
constexpr quint16 eofType = 0x000A;
constexpr quint16 codepageType = 0x0042;
constexpr quint16 window1Type = 0x003D;
constexpr quint16 dateModeType = 0x0022;
constexpr quint16 boundSheetType = 0x0085;
constexpr quint16 pageBreaksType = 0x001B;
constexpr quint16 colInfoType = 0x007D;
constexpr quint16 dimensionsType = 0x0200;
constexpr quint16 window2Type = 0x023E;
constexpr quint16 numberType = 0x0203;
constexpr quint16 labelSstType = 0x00FD;
constexpr quint16 boolErrType = 0x0205;
constexpr quint16 rowType = 0x0208;
constexpr quint16 defaultRowHeightType = 0x0225;
constexpr quint16 wsBoolType = 0x0081;
constexpr quint16 setupType = 0x00A1;
constexpr quint16 defaultRowTwips = 255;
constexpr int maxRowBreaks = 1026;

QByteArray bof(quint16 substreamType)
{
    return Biff8Record(bofType).u16(0x0600).u16(substreamType).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x06).bytes();
}

QByteArray eof()
{
    return Biff8Record(eofType).bytes();
}

Biff8Record cellRecord(quint16 type, quint32 row, quint16 column, quint16 xf)
{
    Biff8Record record(type);
    record.u16(quint16(row)).u16(column).u16(xf);
    return record;
}

} // namespace

void Biff8WorkbookWriter::beginSheet(const QString &name)
{
    if (!m_sheets.empty())
        m_sheets.back().cellsEnd = m_cells.size();
    Sheet sheet;
    sheet.name = safeSheetName(name);
    sheet.cellsStart = m_cells.size();
    m_sheets.push_back(std::move(sheet));
}

void Biff8WorkbookWriter::setRowHeight(quint32 row, int twips)
{
    if (m_sheets.empty() || row >= sheetRows || twips <= defaultRowTwips)
        return;
    auto &heights = m_sheets.back().rowHeights;
    const auto height = quint16(std::min(twips, 8192));
    if (!heights.empty() && heights.back().first == row)
        heights.back().second = std::max(heights.back().second, height);
    else if (heights.empty() || heights.back().first < row)
        heights.emplace_back(row, height);
}

void Biff8WorkbookWriter::setColumnWidth(quint16 column, quint16 width)
{
    if (!m_sheets.empty() && column < sheetColumns)
        m_sheets.back().columnWidths[column] = width;
}

void Biff8WorkbookWriter::widenColumn(quint16 column, quint16 width)
{
    if (m_sheets.empty() || column >= sheetColumns)
        return;
    quint16 &current = m_sheets.back().columnWidths[column];
    current = std::max(current, width);
}

void Biff8WorkbookWriter::printFitToWidth(bool landscape)
{
    m_fitToWidthLandscape = landscape;
}

void Biff8WorkbookWriter::addRowBreak(quint32 row)
{
    if (m_sheets.empty() || row == 0 || row >= sheetRows)
        return;
    auto &breaks = m_sheets.back().rowBreaks;
    if (int(breaks.size()) < maxRowBreaks && (breaks.empty() || breaks.back() < row))
        breaks.push_back(row);
}

bool Biff8WorkbookWriter::acceptCell(quint32 row, quint16 column)
{
    if (m_sheets.empty())
        beginSheet(QStringLiteral("Full"));
    if (row >= sheetRows || column >= sheetColumns)
        return false;
    Sheet &sheet = m_sheets.back();
    sheet.lastRow = std::max(sheet.lastRow, row);
    sheet.lastColumn = std::max(sheet.lastColumn, column);
    sheet.hasCells = true;
    return true;
}

void Biff8WorkbookWriter::writeNumber(quint32 row, quint16 column, double value, quint16 xf)
{
    if (acceptCell(row, column))
        m_cells.write(cellRecord(numberType, row, column, xf).f64(value).bytes());
}

void Biff8WorkbookWriter::writeText(quint32 row, quint16 column, const QString &text, quint16 xf)
{
    if (acceptCell(row, column))
        m_cells.write(cellRecord(labelSstType, row, column, xf).u32(m_strings.indexOf(text)).bytes());
}

void Biff8WorkbookWriter::writeBoolean(quint32 row, quint16 column, bool value, quint16 xf)
{
    if (acceptCell(row, column))
        m_cells.write(cellRecord(boolErrType, row, column, xf).u8(value ? 1 : 0).u8(0).bytes());
}

void Biff8WorkbookWriter::writeCell(quint32 row, quint16 column, const ExcelCell &cell, quint16 xf)
{
    switch (cell.kind) {
    case ExcelCell::Kind::Blank:
        break;
    case ExcelCell::Kind::Number:
        writeNumber(row, column, cell.number, xf);
        break;
    case ExcelCell::Kind::Text:
        writeText(row, column, cell.text, xf);
        break;
    case ExcelCell::Kind::Boolean:
        writeBoolean(row, column, cell.boolean, xf);
        break;
    }
}

QByteArray Biff8WorkbookWriter::sheetHead(const Sheet &sheet) const
{
    QByteArray head = bof(0x0010);
    head += Biff8Record(defaultRowHeightType).u16(0).u16(defaultRowTwips).bytes();
    // Outline symbols shown, and fit-to-page printing when asked for.
    head += Biff8Record(wsBoolType).u16(m_fitToWidthLandscape ? 0x05C1 : 0x04C1).bytes();
    if (!sheet.rowBreaks.empty()) {
        Biff8Record breaks(pageBreaksType);
        breaks.u16(quint16(sheet.rowBreaks.size()));
        for (quint32 row : sheet.rowBreaks)
            breaks.u16(quint16(row)).u16(0).u16(sheetColumns - 1);
        head += breaks.bytes();
    }
    if (m_fitToWidthLandscape) {
        // A4, 100 %, first page 1, one page wide, any number tall; the
        // orientation bit is the only flag; 600 dpi; half-inch header and
        // footer margins; one copy.
        const quint16 flags = *m_fitToWidthLandscape ? 0x0000 : 0x0002;
        head += Biff8Record(setupType).u16(9).u16(100).u16(1).u16(1).u16(0).u16(flags).u16(600).u16(600)
                    .f64(0.5).f64(0.5).u16(1).bytes();
    }
    for (const auto &[column, width] : sheet.columnWidths)
        head += Biff8Record(colInfoType).u16(column).u16(column).u16(width).u16(Biff8CellStyles::defaultXf).u16(0).u16(0).bytes();
    head += Biff8Record(dimensionsType)
                .u32(0)
                .u32(sheet.hasCells ? sheet.lastRow + 1 : 0)
                .u16(0)
                .u16(sheet.hasCells ? sheet.lastColumn + 1 : 0)
                .u16(0)
                .bytes();
    // Custom heights: fUnsynced set, the reserved bit 8 set, default XF.
    for (const auto &[row, height] : sheet.rowHeights)
        head += Biff8Record(rowType).u16(quint16(row)).u16(0).u16(sheet.lastColumn + 1).u16(height).u16(0).u16(0).u32(0x000F0140).bytes();
    return head;
}

QByteArray Biff8WorkbookWriter::sheetTail(const Sheet &sheet, bool first) const
{
    // The first sheet is the selected, active one.
    const quint16 options = first ? 0x06B6 : 0x00B6;
    return Biff8Record(window2Type).u16(options).u16(0).u16(0).u32(0x40).u16(0).u16(0).u32(0).bytes() + sheet.links
        + eof();
}

void Biff8WorkbookWriter::addLink(quint32 row, quint16 column, const QString &address)
{
    if (!m_sheets.empty() && row < sheetRows && column < sheetColumns)
        m_sheets.back().links += biff8HyperlinkRecord(row, column, address);
}

QByteArray Biff8WorkbookWriter::globals(const std::vector<quint32> &sheetOffsets) const
{
    QByteArray out = bof(0x0005);
    out += Biff8Record(codepageType).u16(1200).bytes();
    out += Biff8Record(window1Type).u16(0).u16(0).u16(0x3000).u16(0x2000).u16(0x0038).u16(0).u16(0).u16(1).u16(0x0258).bytes();
    out += Biff8Record(dateModeType).u16(0).bytes();
    out += m_styles.records();
    for (size_t i = 0; i < m_sheets.size(); ++i)
        out += Biff8Record(boundSheetType).u32(sheetOffsets[i]).u8(0).u8(0).string8(m_sheets[i].name).bytes();
    out += m_strings.records(quint32(out.size()));
    out += eof();
    return out;
}

void Biff8WorkbookWriter::finish(AtomicFileWriter &file)
{
    if (m_sheets.empty())
        beginSheet(QStringLiteral("Full"));
    m_sheets.back().cellsEnd = m_cells.size();

    std::vector<QByteArray> heads;
    std::vector<QByteArray> tails;
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        heads.push_back(sheetHead(m_sheets[i]));
        tails.push_back(sheetTail(m_sheets[i], i == 0));
    }
    // The globals' size does not depend on the offsets they hold.
    std::vector<quint32> offsets(m_sheets.size(), 0);
    quint64 position = quint64(globals(offsets).size());
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        offsets[i] = quint32(position);
        position += quint64(heads[i].size()) + quint64(m_sheets[i].cellsEnd - m_sheets[i].cellsStart)
            + quint64(tails[i].size());
    }
    const quint64 streamSize = std::max<quint64>(position, CompoundFileWriter::minimumStreamSize);

    CompoundFileWriter compound(file, QStringLiteral("Workbook"), quint32(std::min<quint64>(streamSize, 0xFFFFFFFFu)));
    compound.append(globals(offsets));
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        compound.append(heads[i]);
        m_cells.forEachChunk(m_sheets[i].cellsStart, m_sheets[i].cellsEnd - m_sheets[i].cellsStart,
                             [&](QByteArrayView chunk) { compound.append(chunk); });
        compound.append(tails[i]);
    }
    compound.append(QByteArray(int(streamSize - position), '\0'));
    compound.finish();
}

} // namespace velmora
