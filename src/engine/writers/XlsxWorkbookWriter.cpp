#include "engine/writers/XlsxWorkbookWriter.h"

#include "engine/core/Failure.h"
#include "engine/render/FontResolver.h"
#include "engine/writers/AtomicFileWriter.h"
#include "engine/writers/ExportErrors.h"

#include <QDir>
#include <QFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

constexpr size_t maxFormats = 60000;
constexpr uint8_t a4Paper = 9;
/// The padding, in 1/256 of a digit, that widthFromTwips() adds and the
/// library adds again itself.
constexpr double cellPadding = 182.0;

[[noreturn]] void libraryFailed(const QString &file, lxw_error error)
{
    throw Failure(ExportErrors::WriteFailed,
                  QStringLiteral("No s'ha pogut escriure el fitxer «%1»: la biblioteca d'XLSX ha fallat (%2).")
                      .arg(file, QString::fromUtf8(lxw_strerror(error))));
}

uint8_t libraryAlignment(HorizontalAlignment alignment)
{
    switch (alignment) {
    case HorizontalAlignment::Left:
        return LXW_ALIGN_LEFT;
    case HorizontalAlignment::Center:
        return LXW_ALIGN_CENTER;
    case HorizontalAlignment::Right:
        return LXW_ALIGN_RIGHT;
    case HorizontalAlignment::Justify:
        return LXW_ALIGN_JUSTIFY;
    }
    return LXW_ALIGN_NONE;
}

lxw_color_t libraryColour(QRgb colour) { return lxw_color_t(colour & 0xFFFFFFu); }

void describeColours(lxw_format *format, const CellStyle &style)
{
    if ((style.fontColour & 0xFFFFFFu) != 0)
        format_set_font_color(format, libraryColour(style.fontColour));
    if (style.fill) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, libraryColour(*style.fill));
    }
    using Setter = void (*)(lxw_format *, uint8_t);
    using ColourSetter = void (*)(lxw_format *, lxw_color_t);
    constexpr Setter sides[] = {format_set_left, format_set_top, format_set_right, format_set_bottom};
    constexpr ColourSetter colours[] = {format_set_left_color, format_set_top_color, format_set_right_color,
                                        format_set_bottom_color};
    for (size_t side = 0; side < style.edges.size(); ++side) {
        const CellEdge &edge = style.edges[side];
        if (!edge.any())
            continue;
        // The BIFF8 line styles of CellEdge are those of the library.
        sides[side](format, uint8_t(edge.style));
        colours[side](format, libraryColour(edge.colour));
    }
}

void describe(lxw_format *format, const CellStyle &style)
{
    format_set_font_name(format, resolvedFontFamily(style.fontFamily).toUtf8().constData());
    format_set_font_size(format, style.pointSize > 0 ? style.pointSize : 10.0);
    if (style.bold)
        format_set_bold(format);
    if (style.italic)
        format_set_italic(format);
    if (style.underline)
        format_set_underline(format, LXW_UNDERLINE_SINGLE);
    if (!style.numberFormat.isEmpty())
        format_set_num_format(format, style.numberFormat.toUtf8().constData());
    if (style.alignmentGiven)
        format_set_align(format, libraryAlignment(style.alignment));
    describeColours(format, style);
}

} // namespace

XlsxWorkbookWriter::XlsxWorkbookWriter(AtomicFileWriter &file) : m_displayName(file.displayName())
{
    const QByteArray path = QFile::encodeName(file.temporaryPath());
    QByteArray scratchFolder = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = scratchFolder.data();
    m_workbook = workbook_new_opt(path.constData(), &options);
    if (!m_workbook)
        throw Failure(ExportErrors::CannotCreateFile,
                      QStringLiteral("No s'ha pogut començar el llibre «%1»: falta memòria.").arg(m_displayName));
}

XlsxWorkbookWriter::~XlsxWorkbookWriter()
{
    // Frees the sheets' scratch files without writing the workbook.
    if (m_workbook)
        lxw_workbook_free(m_workbook);
}

void XlsxWorkbookWriter::check(int error) const
{
    if (error != LXW_NO_ERROR)
        libraryFailed(m_displayName, lxw_error(error));
}

void XlsxWorkbookWriter::beginSheet(const QString &name)
{
    closeSheet();
    m_sheet = Sheet{};
    m_sheet.worksheet = workbook_add_worksheet(m_workbook, safeSheetName(name).toUtf8().constData());
    if (!m_sheet.worksheet)
        libraryFailed(m_displayName, LXW_ERROR_MEMORY_MALLOC_FAILED);
}

void XlsxWorkbookWriter::setColumnWidth(quint16 column, quint16 width)
{
    if (m_sheet.worksheet && column < maxColumns())
        m_sheet.columnWidths[column] = width;
}

void XlsxWorkbookWriter::widenColumn(quint16 column, quint16 width)
{
    if (!m_sheet.worksheet || column >= maxColumns())
        return;
    quint16 &current = m_sheet.columnWidths[column];
    current = std::max(current, width);
}

void XlsxWorkbookWriter::printFitToWidth(bool landscape)
{
    m_fitToWidthLandscape = landscape;
}

void XlsxWorkbookWriter::addRowBreak(quint32 row)
{
    auto &breaks = m_sheet.rowBreaks;
    if (m_sheet.worksheet && row > 0 && row < maxRows() && breaks.size() < LXW_BREAKS_MAX
        && (breaks.empty() || breaks.back() < row))
        breaks.push_back(row);
}

void XlsxWorkbookWriter::setRowHeight(quint32 row, int twips)
{
    if (m_sheet.worksheet && row < maxRows())
        m_sheet.rowHeights.emplace_back(row, twips);
}

// In constant-memory mode a row's height must be given before the library
// leaves that row: heights are handed over as the cells reach their rows.
void XlsxWorkbookWriter::giveRowHeightsUpTo(quint32 row)
{
    auto &heights = m_sheet.rowHeights;
    for (; m_sheet.heightsGiven < heights.size() && heights[m_sheet.heightsGiven].first <= row;
         ++m_sheet.heightsGiven) {
        const auto [heightRow, twips] = heights[m_sheet.heightsGiven];
        check(worksheet_set_row(m_sheet.worksheet, heightRow, twips / twipsPerPoint, nullptr));
    }
}

quint16 XlsxWorkbookWriter::xfIndex(const CellStyle &style)
{
    const auto found = m_xfByStyle.find(style);
    if (found != m_xfByStyle.end())
        return found->second;
    if (m_formats.size() >= maxFormats)
        return 0;
    lxw_format *format = workbook_add_format(m_workbook);
    if (!format)
        libraryFailed(m_displayName, LXW_ERROR_MEMORY_MALLOC_FAILED);
    describe(format, style);
    m_formats.push_back(format);
    return m_xfByStyle.emplace(style, quint16(m_formats.size() - 1)).first->second;
}

lxw_format *XlsxWorkbookWriter::formatOf(quint16 xf) const
{
    return xf < m_formats.size() ? m_formats[xf] : nullptr;
}

bool XlsxWorkbookWriter::acceptCell(quint32 row, quint16 column)
{
    if (!m_sheet.worksheet)
        beginSheet(QStringLiteral("Full"));
    if (row >= maxRows() || column >= maxColumns())
        return false;
    giveRowHeightsUpTo(row);
    return true;
}

void XlsxWorkbookWriter::writeText(quint32 row, quint16 column, const QString &text, quint16 xf)
{
    if (acceptCell(row, column))
        check(worksheet_write_string(m_sheet.worksheet, row, column,
                                     QStringView(text).left(maxTextLength).toUtf8().constData(), formatOf(xf)));
}

void XlsxWorkbookWriter::writeCell(quint32 row, quint16 column, const ExcelCell &cell, quint16 xf)
{
    switch (cell.kind) {
    case ExcelCell::Kind::Blank:
        break;
    case ExcelCell::Kind::Number:
        if (acceptCell(row, column))
            check(worksheet_write_number(m_sheet.worksheet, row, column, cell.number, formatOf(xf)));
        break;
    case ExcelCell::Kind::Text:
        writeText(row, column, cell.text, xf);
        break;
    case ExcelCell::Kind::Boolean:
        if (acceptCell(row, column))
            check(worksheet_write_boolean(m_sheet.worksheet, row, column, cell.boolean, formatOf(xf)));
        break;
    }
}

void XlsxWorkbookWriter::closeSheet()
{
    lxw_worksheet *sheet = m_sheet.worksheet;
    if (!sheet)
        return;
    giveRowHeightsUpTo(maxRows());
    for (const auto &[column, width] : m_sheet.columnWidths)
        check(worksheet_set_column(sheet, column, column, std::max(0.0, (width - cellPadding) / 256.0), nullptr));
    if (!m_sheet.rowBreaks.empty()) {
        std::vector<lxw_row_t> breaks(m_sheet.rowBreaks.begin(), m_sheet.rowBreaks.end());
        breaks.push_back(0);
        check(worksheet_set_h_pagebreaks(sheet, breaks.data()));
    }
    worksheet_set_paper(sheet, a4Paper);
    if (m_fitToWidthLandscape) {
        worksheet_fit_to_pages(sheet, 1, 0);
        if (*m_fitToWidthLandscape)
            worksheet_set_landscape(sheet);
    }
    m_sheet.worksheet = nullptr;
}

void XlsxWorkbookWriter::finish(AtomicFileWriter &)
{
    // A workbook without sheets gets one from the library.
    closeSheet();
    lxw_workbook *workbook = std::exchange(m_workbook, nullptr);
    check(workbook_close(workbook));
}

} // namespace velmora
