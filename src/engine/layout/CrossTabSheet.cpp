#include "engine/layout/CrossTabSheet.h"

#include "engine/formula/ValueFormatter.h"

#include <algorithm>
#include <numeric>

namespace velmora {

namespace {

constexpr Twips horizontalPadding = 60;
constexpr Twips verticalPadding = 30;

using Side = CrossTabGrid::Side;

} // namespace

CrossTabSheet::CrossTabSheet(std::unique_ptr<CrossTabGrid> grid, const CrossTabDefinition &definition,
                             TextMeasurer &measurer, Twips availableWidth, CrossTabFills fills)
    : m_grid(std::move(grid)), m_definition(definition), m_fills(std::move(fills))
{
    m_headingRows = int(definition.columns.size()) + (m_grid->summaryCount() > 1 ? 1 : 0);
    Twips lineHeight = 0;
    for (const CrossTabStyle *s : {&definition.headingStyle, &definition.cellStyle, &definition.totalStyle})
        lineHeight = std::max(lineHeight, measurer.lineMetrics(s->font).height);
    m_rowHeight = lineHeight + 2 * verticalPadding;
    measureRowHeadings(measurer);
    splitIntoBands(measureColumns(measurer), availableWidth);
    for (size_t b = 1; b < m_bands.size(); ++b)
        m_pageStarts.push_back(Twips(b) * bandHeight());
    for (const CrossTabStyle *s : {&definition.headingStyle, &definition.cellStyle, &definition.totalStyle}) {
        const TextMeasurer::LineMetrics metrics = measurer.lineMetrics(s->font);
        m_baselines.push_back((m_rowHeight - metrics.height) / 2 + metrics.ascent);
    }
}

const CrossTabStyle &CrossTabSheet::style(CellKind kind) const
{
    switch (kind) {
    case CellKind::Heading: return m_definition.headingStyle;
    case CellKind::Cell: return m_definition.cellStyle;
    case CellKind::Total: break;
    }
    return m_definition.totalStyle;
}

Twips CrossTabSheet::rowHeadingsWidth() const
{
    return std::accumulate(m_rowHeadingWidths.begin(), m_rowHeadingWidths.end(), Twips(0));
}

Twips CrossTabSheet::width() const
{
    Twips widest = 0;
    for (const ColumnBand &band : m_bands)
        if (!band.columns.empty())
            widest = std::max(widest, band.columns.back().left + band.columns.back().width);
    return widest;
}

void CrossTabSheet::measureRowHeadings(TextMeasurer &measurer)
{
    const auto &lines = m_grid->rows();
    for (int level = 0; level < int(m_definition.rows.size()); ++level) {
        if (m_definition.rowHeadingWidth) {
            m_rowHeadingWidths.push_back(*m_definition.rowHeadingWidth);
            continue;
        }
        Twips widest = 0;
        for (size_t line = 0; line < lines.size(); ++line) {
            const CellKind kind = m_grid->isTotal(lines[line]) ? CellKind::Total : CellKind::Heading;
            widest = std::max(widest, measurer.width(style(kind).font, m_grid->heading(Side::Rows, line, level, true)));
        }
        m_rowHeadingWidths.push_back(widest + 2 * horizontalPadding);
    }
}

std::vector<Twips> CrossTabSheet::measureColumns(TextMeasurer &measurer) const
{
    const auto &rows = m_grid->rows();
    const auto &columns = m_grid->columns();
    const int summaries = m_grid->summaryCount();
    const int innermost = int(m_definition.columns.size()) - 1;
    std::vector<Twips> widths;
    for (size_t line = 0; line < columns.size(); ++line) {
        const bool totalColumn = m_grid->isTotal(columns[line]);
        // The innermost heading spans the line's summaries; outer ones span
        // a whole group and are not counted here.
        Twips heading = 0;
        for (int level = 0; level <= innermost; ++level)
            if (level == innermost || totalColumn)
                heading = std::max(heading, measurer.width(style(totalColumn ? CellKind::Total : CellKind::Heading).font,
                                                           m_grid->heading(Side::Columns, line, level, true)));
        for (int s = 0; s < summaries; ++s) {
            if (m_definition.columnWidth) {
                widths.push_back(*m_definition.columnWidth);
                continue;
            }
            Twips widest = (heading + summaries - 1) / summaries;
            if (summaries > 1)
                widest = std::max(widest, measurer.width(m_definition.headingStyle.font,
                                                         m_definition.summaries[size_t(s)].label));
            const Column column{line, s, 0, 0};
            for (size_t row = 0; row < rows.size(); ++row) {
                const bool total = totalColumn || m_grid->isTotal(rows[row]);
                widest = std::max(widest, measurer.width(style(total ? CellKind::Total : CellKind::Cell).font,
                                                         cellText(row, column, nullptr)));
            }
            widths.push_back(widest + 2 * horizontalPadding);
        }
    }
    return widths;
}

void CrossTabSheet::splitIntoBands(const std::vector<Twips> &widths, Twips availableWidth)
{
    const int summaries = m_grid->summaryCount();
    const Twips headings = rowHeadingsWidth();
    ColumnBand band;
    Twips x = headings;
    for (size_t line = 0; line < m_grid->columns().size(); ++line) {
        Twips lineWidth = 0;
        for (int s = 0; s < summaries; ++s)
            lineWidth += widths[line * size_t(summaries) + size_t(s)];
        if (!band.columns.empty() && x + lineWidth > availableWidth) {
            m_bands.push_back(std::move(band));
            band = ColumnBand();
            x = headings;
        }
        for (int s = 0; s < summaries; ++s) {
            const Twips w = widths[line * size_t(summaries) + size_t(s)];
            band.columns.push_back({line, s, x, w});
            x += w;
        }
    }
    m_bands.push_back(std::move(band));
}

QString CrossTabSheet::cellText(size_t row, const Column &column, Value *value) const
{
    const Value v = m_grid->cell(m_grid->rows()[row], m_grid->columns()[column.line], column.summary);
    if (value)
        *value = v;
    return v.isNull() ? QString() : formatValue(v, m_definition.summaries[size_t(column.summary)].format);
}

Twips CrossTabSheet::rowBoundaryAtOrAbove(Twips y) const
{
    const Twips bh = bandHeight();
    if (y <= 0 || bh <= 0)
        return 0;
    const Twips band = std::min<Twips>(y / bh, Twips(m_bands.size()));
    const Twips top = band * bh;
    const Twips within = y - top;
    if (within < headingHeight() || band == Twips(m_bands.size()))
        return top;
    return top + headingHeight() + (within - headingHeight()) / m_rowHeight * m_rowHeight;
}

std::pair<Twips, Twips> CrossTabSheet::headingOver(Twips y) const
{
    const Twips bh = bandHeight();
    if (bh <= 0 || y % bh == 0)
        return {0, 0};
    return {y / bh * bh, headingHeight()};
}

void CrossTabSheet::appendItems(Twips from, Twips to, QPoint offset, std::vector<PageItem> &items) const
{
    const Twips bh = bandHeight();
    if (bh <= 0 || to <= from)
        return;
    const qsizetype rowCount = qsizetype(m_grid->rows().size());
    for (Twips b = std::max(0, from / bh); b < Twips(m_bands.size()) && b * bh < to; ++b) {
        const Twips top = b * bh;
        if (from <= top)
            appendHeadings(m_bands[size_t(b)], top, offset, items);
        const Twips rowsTop = top + headingHeight();
        qsizetype row = std::max<qsizetype>(0, (std::max(from, rowsTop) - rowsTop + m_rowHeight - 1) / m_rowHeight);
        const qsizetype first = row;
        for (; row < rowCount && rowsTop + Twips(row) * m_rowHeight < to; ++row)
            appendRow(m_bands[size_t(b)], size_t(row), row == first, rowsTop + Twips(row) * m_rowHeight, offset, items);
    }
}

void CrossTabSheet::appendHeadings(const ColumnBand &band, Twips top, QPoint offset, std::vector<PageItem> &items) const
{
    const Twips x0 = offset.x(), y0 = offset.y() + top;
    appendHeading(QRect(x0, y0, rowHeadingsWidth(), headingHeight()), QString(), CellKind::Heading,
                  HorizontalAlignment::Left, items);
    const int summaries = m_grid->summaryCount();
    const auto &lines = m_grid->columns();
    for (size_t i = 0; i < band.columns.size(); i += size_t(summaries)) {
        const Column &column = band.columns[i];
        const Twips spanWidth = band.columns[i + size_t(summaries) - 1].left + band.columns[i + size_t(summaries) - 1].width
                              - column.left;
        const CellKind kind = m_grid->isTotal(lines[column.line]) ? CellKind::Total : CellKind::Heading;
        for (int level = 0; level < int(m_definition.columns.size()); ++level)
            appendHeading(QRect(x0 + column.left, y0 + Twips(level) * m_rowHeight, spanWidth, m_rowHeight),
                          m_grid->heading(Side::Columns, column.line, level, i == 0), kind, HorizontalAlignment::Center,
                          items);
        if (summaries < 2)
            continue;
        for (int s = 0; s < summaries; ++s) {
            const Column &sub = band.columns[i + size_t(s)];
            appendHeading(QRect(x0 + sub.left, y0 + Twips(m_headingRows - 1) * m_rowHeight, sub.width, m_rowHeight),
                          m_definition.summaries[size_t(s)].label, kind, HorizontalAlignment::Center, items);
        }
    }
}

void CrossTabSheet::appendRow(const ColumnBand &band, size_t row, bool firstShown, Twips top, QPoint offset,
                              std::vector<PageItem> &items) const
{
    const Twips y = offset.y() + top;
    const bool totalRow = m_grid->isTotal(m_grid->rows()[row]);
    Twips x = offset.x();
    for (int level = 0; level < int(m_rowHeadingWidths.size()); ++level) {
        const Twips w = m_rowHeadingWidths[size_t(level)];
        appendHeading(QRect(x, y, w, m_rowHeight), m_grid->heading(Side::Rows, row, level, firstShown),
                      totalRow ? CellKind::Total : CellKind::Heading, HorizontalAlignment::Left, items);
        x += w;
    }
    for (const Column &column : band.columns) {
        Value value;
        const QString text = cellText(row, column, &value);
        const CellKind kind = totalRow || m_grid->isTotal(m_grid->columns()[column.line]) ? CellKind::Total
                                                                                           : CellKind::Cell;
        const std::optional<QRgb> background =
            m_fills.workedOut() ? m_fills.at(row, column.line, column.summary) : style(kind).background;
        appendCell(QRect(offset.x() + column.left, y, column.width, m_rowHeight), text, kind,
                   HorizontalAlignment::Right, value, m_definition.summaries[size_t(column.summary)].format, background,
                   items);
    }
}

void CrossTabSheet::appendHeading(const QRect &rect, const QString &text, CellKind kind, HorizontalAlignment alignment,
                                  std::vector<PageItem> &items) const
{
    appendCell(rect, text, kind, alignment, Value(), QString(), style(kind).background, items);
}

void CrossTabSheet::appendCell(const QRect &rect, const QString &text, CellKind kind, HorizontalAlignment alignment,
                               const Value &value, const QString &format, std::optional<QRgb> background,
                               std::vector<PageItem> &items) const
{
    const CrossTabStyle &s = style(kind);
    if (m_definition.gridLines || background) {
        BoxItem box;
        box.rect = rect;
        box.borderWidth = m_definition.gridLines ? m_definition.gridWidth : 0;
        box.borderColor = m_definition.gridColor;
        box.filled = background.has_value();
        box.fillColor = background.value_or(qRgb(255, 255, 255));
        items.emplace_back(box);
    }
    if (text.isEmpty())
        return;
    TextItem item;
    item.box = rect.adjusted(horizontalPadding, 0, -horizontalPadding, 0);
    item.baseline = m_baselines[size_t(kind)];
    item.text = text;
    item.font = s.font;
    item.color = s.color;
    item.alignment = alignment;
    if (!value.isNull()) {
        item.value = value;
        item.cellFormat = spreadsheetFormat(value.type(), format);
    }
    items.emplace_back(std::move(item));
}

} // namespace velmora
