#pragma once

#include "engine/layout/Band.h"
#include "engine/layout/CrossTabFills.h"
#include "engine/layout/CrossTabGrid.h"
#include "engine/layout/TextMeasurer.h"

#include <memory>

namespace velmora {

/// A counted cross-tab laid out as rows of cells (docs/layout.md,
/// "Cross-tabs"). Columns that do not fit in `availableWidth` go to further
/// bands of columns, each under the column headings and beside the row
/// headings again; the bands stand one below the other, each beginning a
/// fresh page, so that the pages hold every row of the first band of
/// columns, then every row of the next. Rows are drawn only when a page is
/// made. `fills` holds the cells' backgrounds when a style gives them by
/// formula.
class CrossTabSheet : public BandSheet {
public:
    CrossTabSheet(std::unique_ptr<CrossTabGrid> grid, const CrossTabDefinition &definition, TextMeasurer &measurer,
                  Twips availableWidth, CrossTabFills fills = CrossTabFills());

    Twips height() const override { return Twips(m_bands.size()) * bandHeight(); }
    Twips rowBoundaryAtOrAbove(Twips y) const override;
    const std::vector<Twips> &pageStarts() const override { return m_pageStarts; }
    std::pair<Twips, Twips> headingOver(Twips y) const override;
    void appendItems(Twips from, Twips to, QPoint offset, std::vector<PageItem> &items) const override;

    const CrossTabGrid &grid() const { return *m_grid; }
    int columnBandCount() const { return int(m_bands.size()); }
    Twips width() const;

private:
    /// One printed column: a column line's summary.
    struct Column {
        size_t line = 0;
        int summary = 0;
        Twips left = 0; ///< from the band's left edge
        Twips width = 0;
    };
    struct ColumnBand {
        std::vector<Column> columns;
    };
    enum class CellKind : quint8 { Heading, Cell, Total };

    Twips headingHeight() const { return Twips(m_headingRows) * m_rowHeight; }
    Twips bandHeight() const { return headingHeight() + Twips(m_grid->rows().size()) * m_rowHeight; }
    Twips rowHeadingsWidth() const;
    void measureRowHeadings(TextMeasurer &measurer);
    std::vector<Twips> measureColumns(TextMeasurer &measurer) const;
    void splitIntoBands(const std::vector<Twips> &widths, Twips availableWidth);
    QString cellText(size_t row, const Column &column, Value *value) const;
    void appendHeadings(const ColumnBand &band, Twips top, QPoint offset, std::vector<PageItem> &items) const;
    void appendRow(const ColumnBand &band, size_t row, bool firstShown, Twips top, QPoint offset,
                   std::vector<PageItem> &items) const;
    void appendHeading(const QRect &rect, const QString &text, CellKind kind, HorizontalAlignment alignment,
                       std::vector<PageItem> &items) const;
    void appendCell(const QRect &rect, const QString &text, CellKind kind, HorizontalAlignment alignment,
                    const Value &value, const QString &format, std::optional<QRgb> background,
                    std::vector<PageItem> &items) const;
    const CrossTabStyle &style(CellKind kind) const;

    std::unique_ptr<CrossTabGrid> m_grid;
    const CrossTabDefinition &m_definition;
    std::vector<Twips> m_rowHeadingWidths; ///< by row level
    std::vector<ColumnBand> m_bands;
    std::vector<Twips> m_pageStarts;
    int m_headingRows = 1;
    Twips m_rowHeight = 0;
    std::vector<Twips> m_baselines; ///< by CellKind
    CrossTabFills m_fills;
};

} // namespace velmora
