#include "engine/layout/CrossTabCounter.h"

#include "engine/layout/SummaryRanking.h"

namespace velmora {

using Fate = CrossTabSelection::Fate;

CrossTabCounter::CrossTabCounter(const CrossTabPlan &plan, const CrossTabSelection *rows,
                                 const CrossTabSelection *columns)
    : m_plan(plan), m_rowSelection(rows), m_columnSelection(columns), m_rows(int(plan.rows.size())),
      m_columns(int(plan.columns.size())), m_cells(plan.summaries)
{
}

bool CrossTabCounter::pathFor(const std::vector<Value> &keys, CrossTabAxis &axis,
                              const CrossTabSelection *selection, std::vector<int> &path) const
{
    path.assign(1, CrossTabAxis::root);
    int before = CrossTabAxis::root; // the same place in the first count
    for (int level = 0; level < axis.levels(); ++level) {
        bool gathered = false;
        if (selection) {
            const std::optional<int> earlier = selection->axis.find(before, keys[size_t(level)]);
            const Fate fate = earlier ? selection->fates[size_t(*earlier)] : Fate::Kept;
            if (fate == Fate::Left)
                return false;
            gathered = fate == Fate::Gathered;
            before = earlier.value_or(before);
        }
        path.push_back(axis.intern(path.back(), keys[size_t(level)], gathered));
    }
    return true;
}

void CrossTabCounter::add(const std::vector<Value> &rowKeys, const std::vector<Value> &columnKeys,
                          const std::vector<Value> &values, const std::vector<Value> &weights)
{
    if (!pathFor(rowKeys, m_rows, m_rowSelection, m_rowPath)
        || !pathFor(columnKeys, m_columns, m_columnSelection, m_columnPath))
        return;
    for (int row : m_rowPath)
        for (int column : m_columnPath)
            m_cells.add(row, column, values, weights);
}

std::unique_ptr<CrossTabGrid> CrossTabCounter::finish()
{
    m_cells.finish();
    return std::make_unique<CrossTabGrid>(*m_plan.definition, std::move(m_rows), std::move(m_columns),
                                          std::move(m_cells));
}

namespace {

void selectAmongChildren(const CrossTabGrid &grid, CrossTabGrid::Side side, const CrossTabLevel &level, int parent,
                         CrossTabSelection &selection)
{
    const CrossTabAxis &axis = grid.axis(side);
    const std::vector<int> &children = axis.node(parent).children;
    std::vector<Value> totals;
    totals.reserve(children.size());
    for (int child : children)
        totals.push_back(side == CrossTabGrid::Side::Rows ? grid.cell({CrossTabLine::Kind::Value, child}, {}, 0)
                                                          : grid.cell({}, {CrossTabLine::Kind::Value, child}, 0));
    const RankedIndices ranked = rankByValues(totals, RankingRule{SortDirection::Descending, level.top, false});
    for (size_t i = ranked.kept; i < ranked.order.size(); ++i)
        selection.fates[size_t(children[ranked.order[i]])] = level.gatherRest ? Fate::Gathered : Fate::Left;
}

} // namespace

std::unique_ptr<CrossTabSelection> selectTopLines(const CrossTabGrid &grid, CrossTabGrid::Side side,
                                                  const std::vector<CrossTabLevel> &levels)
{
    bool anyTop = false;
    for (const CrossTabLevel &level : levels)
        anyTop = anyTop || level.top.has_value();
    if (!anyTop)
        return nullptr;
    const CrossTabAxis &axis = grid.axis(side);
    auto selection = std::make_unique<CrossTabSelection>(CrossTabSelection{axis, {}});
    selection->fates.assign(size_t(axis.size()), Fate::Kept);
    for (int node = 0; node < axis.size(); ++node) {
        const std::vector<int> &children = axis.node(node).children;
        if (children.empty())
            continue;
        const CrossTabLevel &level = levels[size_t(axis.node(children.front()).level)];
        if (level.top)
            selectAmongChildren(grid, side, level, node, *selection);
    }
    return selection;
}

} // namespace velmora
