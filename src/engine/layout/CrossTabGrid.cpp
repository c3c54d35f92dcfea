#include "engine/layout/CrossTabGrid.h"

#include "engine/formula/ValueFormatter.h"
#include "engine/layout/ValueOrder.h"

#include <algorithm>

namespace velmora {

CrossTabGrid::CrossTabGrid(const CrossTabDefinition &definition, CrossTabAxis rows, CrossTabAxis columns,
                           CrossTabCells cells)
    : m_definition(definition), m_rows(std::move(rows)), m_columns(std::move(columns)), m_cells(std::move(cells))
{
    m_rowLines = orderLines(Side::Rows);
    m_columnLines = orderLines(Side::Columns);
}

const std::vector<CrossTabLevel> &CrossTabGrid::levels(Side side) const
{
    return side == Side::Rows ? m_definition.rows : m_definition.columns;
}

std::vector<CrossTabLine> CrossTabGrid::orderLines(Side side) const
{
    std::vector<CrossTabLine> lines;
    appendChildren(side, CrossTabAxis::root, lines);
    const bool totals = side == Side::Rows ? m_definition.columnTotals : m_definition.rowTotals;
    if (totals || lines.empty())
        lines.push_back({CrossTabLine::Kind::Total, CrossTabAxis::root});
    return lines;
}

void CrossTabGrid::appendChildren(Side side, int node, std::vector<CrossTabLine> &lines) const
{
    const CrossTabAxis &axis = this->axis(side);
    for (int child : orderedChildren(side, node)) {
        const int level = axis.node(child).level;
        if (level + 1 == axis.levels()) {
            lines.push_back({CrossTabLine::Kind::Value, child});
            continue;
        }
        appendChildren(side, child, lines);
        if (levels(side)[size_t(level)].subtotals)
            lines.push_back({CrossTabLine::Kind::Subtotal, child});
    }
}

Value CrossTabGrid::totalOf(Side side, int node) const
{
    return side == Side::Rows ? m_cells.result(node, CrossTabAxis::root, 0)
                              : m_cells.result(CrossTabAxis::root, node, 0);
}

std::vector<int> CrossTabGrid::orderedChildren(Side side, int node) const
{
    const CrossTabAxis &axis = this->axis(side);
    std::vector<int> children = axis.node(node).children;
    if (children.empty())
        return children;
    const CrossTabOrder order = levels(side)[size_t(axis.node(children.front()).level)].order;
    const bool byTotal = order == CrossTabOrder::TotalAscending || order == CrossTabOrder::TotalDescending;
    const bool descending = order == CrossTabOrder::Descending || order == CrossTabOrder::TotalDescending;
    std::vector<Value> keys;
    keys.reserve(children.size());
    for (int child : children)
        keys.push_back(byTotal ? totalOf(side, child) : axis.node(child).key);
    std::vector<size_t> index(children.size());
    for (size_t i = 0; i < index.size(); ++i)
        index[i] = i;
    std::stable_sort(index.begin(), index.end(), [&](size_t a, size_t b) {
        // What a Top N gathered comes last, whatever the order.
        const bool ga = axis.node(children[a]).gathered, gb = axis.node(children[b]).gathered;
        if (ga != gb)
            return gb;
        const int c = collateValues(keys[a], keys[b]);
        if (c != 0)
            return descending ? c > 0 : c < 0;
        // Lines with equal totals follow their values, ascending.
        return byTotal && collateValues(axis.node(children[a]).key, axis.node(children[b]).key) < 0;
    });
    std::vector<int> ordered;
    ordered.reserve(children.size());
    for (size_t i : index)
        ordered.push_back(children[i]);
    return ordered;
}

QString CrossTabGrid::valueLabel(Side side, int node) const
{
    const CrossTabAxis::Node &n = axis(side).node(node);
    const CrossTabLevel &level = levels(side)[size_t(n.level)];
    if (n.gathered)
        return level.restName;
    if (n.key.isNull())
        return m_definition.nullLabel;
    return formatValue(n.key, level.format);
}

int CrossTabGrid::ancestorAt(Side side, int node, int level) const
{
    const CrossTabAxis &axis = this->axis(side);
    while (node != CrossTabAxis::root && axis.node(node).level > level)
        node = axis.node(node).parent;
    return node;
}

QString CrossTabGrid::heading(Side side, size_t line, int level, bool always) const
{
    const std::vector<CrossTabLine> &lines = side == Side::Rows ? m_rowLines : m_columnLines;
    const CrossTabLine &l = lines[line];
    const CrossTabAxis &axis = this->axis(side);
    switch (l.kind) {
    case CrossTabLine::Kind::Total: return level == 0 ? m_definition.totalLabel : QString();
    case CrossTabLine::Kind::Subtotal: {
        const int own = axis.node(l.node).level;
        if (level == own)
            return m_definition.totalLabel + u' ' + valueLabel(side, l.node);
        if (level > own || !always)
            return QString();
        return valueLabel(side, ancestorAt(side, l.node, level));
    }
    case CrossTabLine::Kind::Value: break;
    }
    const int node = ancestorAt(side, l.node, level);
    const bool innermost = level + 1 == axis.levels();
    if (!innermost && !always && line > 0) {
        const CrossTabLine &before = lines[line - 1];
        if (before.kind == CrossTabLine::Kind::Value && ancestorAt(side, before.node, level) == node)
            return QString();
    }
    return valueLabel(side, node);
}

} // namespace velmora
