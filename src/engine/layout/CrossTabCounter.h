#pragma once

#include "engine/layout/CrossTabGrid.h"

#include <memory>

namespace velmora {

/// What a Top N made of each node of an axis counted once before: kept,
/// gathered into the rest, or left out with its records.
struct CrossTabSelection {
    enum class Fate : quint8 { Kept, Gathered, Left };
    CrossTabAxis axis;
    std::vector<Fate> fates; ///< by node of `axis`
};

/// Counts records into a cross-tab, one record at a time: each adds its
/// summary values to the cell of its row and column and to every subtotal
/// and total above them. Holds no record.
class CrossTabCounter {
public:
    /// `rows` and `columns`, when given, are the selections of a first count
    /// that this count applies.
    CrossTabCounter(const CrossTabPlan &plan, const CrossTabSelection *rows = nullptr,
                    const CrossTabSelection *columns = nullptr);

    /// One record's row keys (outermost first), column keys, summary values
    /// and weights (Null where a summary takes none).
    void add(const std::vector<Value> &rowKeys, const std::vector<Value> &columnKeys,
             const std::vector<Value> &values, const std::vector<Value> &weights);
    std::unique_ptr<CrossTabGrid> finish();

private:
    bool pathFor(const std::vector<Value> &keys, CrossTabAxis &axis, const CrossTabSelection *selection,
                 std::vector<int> &path) const;

    const CrossTabPlan &m_plan;
    const CrossTabSelection *m_rowSelection;
    const CrossTabSelection *m_columnSelection;
    CrossTabAxis m_rows;
    CrossTabAxis m_columns;
    CrossTabCells m_cells;
    std::vector<int> m_rowPath, m_columnPath;
};

/// The selection the Top N of `side`'s levels make of a first count: in
/// each outer line, the lines with the largest totals of the first summary
/// are kept and the others gathered or left out. None when no level of
/// that side has a Top N.
std::unique_ptr<CrossTabSelection> selectTopLines(const CrossTabGrid &grid, CrossTabGrid::Side side,
                                                  const std::vector<CrossTabLevel> &levels);

} // namespace velmora
