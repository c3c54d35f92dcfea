#pragma once

#include "engine/layout/CrossTabAxis.h"
#include "engine/layout/CrossTabCells.h"

#include <QString>

namespace velmora {

/// One row or one column of a cross-tab as printed.
struct CrossTabLine {
    enum class Kind : quint8 { Value, Subtotal, Total };
    Kind kind = Kind::Value;
    int node = CrossTabAxis::root; ///< the axis node whose cells it shows
    bool operator==(const CrossTabLine &) const = default;
};

/// A cross-tab once every record is counted: its rows and columns in
/// printing order (totals and subtotals in their places) and its cells.
class CrossTabGrid {
public:
    enum class Side : quint8 { Rows, Columns };

    CrossTabGrid(const CrossTabDefinition &definition, CrossTabAxis rows, CrossTabAxis columns, CrossTabCells cells);

    const std::vector<CrossTabLine> &rows() const { return m_rowLines; }
    const std::vector<CrossTabLine> &columns() const { return m_columnLines; }
    const CrossTabAxis &axis(Side side) const { return side == Side::Rows ? m_rows : m_columns; }
    int summaryCount() const { return int(m_definition.summaries.size()); }
    Value cell(const CrossTabLine &row, const CrossTabLine &column, int summary) const
    {
        return m_cells.result(row.node, column.node, summary);
    }
    /// The text over `line` at `level`: the value (its Null label, the
    /// rest's name), "Total …" on a subtotal's own level, "Total" at the
    /// first level of the grand total, and empty elsewhere. An outer value
    /// shows on the first line of its group only, unless `always`.
    QString heading(Side side, size_t line, int level, bool always = false) const;
    bool isTotal(const CrossTabLine &line) const { return line.kind != CrossTabLine::Kind::Value; }
    qint64 cellCount() const { return m_cells.cellCount(); }

private:
    std::vector<CrossTabLine> orderLines(Side side) const;
    void appendChildren(Side side, int node, std::vector<CrossTabLine> &lines) const;
    std::vector<int> orderedChildren(Side side, int node) const;
    Value totalOf(Side side, int node) const;
    QString valueLabel(Side side, int node) const;
    int ancestorAt(Side side, int node, int level) const;
    const std::vector<CrossTabLevel> &levels(Side side) const;

    const CrossTabDefinition &m_definition;
    CrossTabAxis m_rows;
    CrossTabAxis m_columns;
    CrossTabCells m_cells;
    std::vector<CrossTabLine> m_rowLines;
    std::vector<CrossTabLine> m_columnLines;
};

} // namespace velmora
