#pragma once

#include "engine/layout/CrossTabGrid.h"
#include "engine/layout/RecordContext.h"

#include <optional>
#include <vector>

namespace velmora {

/// The background of every printed cell of a cross-tab whose cell or total
/// style gives its background by formula. Worked out once, when the sheet is
/// counted, with the record the cross-tab's section stands on; each cell's
/// formula reads that cell's own summary as ObjectValue.
class CrossTabFills {
public:
    /// No formulas: every cell keeps its style's background.
    CrossTabFills() = default;
    CrossTabFills(const CrossTabGrid &grid, const CrossTabPlan &plan, RecordContext &context);

    bool workedOut() const { return !m_fills.empty(); }
    /// The fill of the cell at printed row `row`, column line `column`,
    /// summary `summary`; only when workedOut().
    std::optional<QRgb> at(size_t row, size_t column, int summary) const
    {
        return m_fills[(row * m_columns + column) * m_summaries + size_t(summary)];
    }

private:
    size_t m_columns = 0;
    size_t m_summaries = 0;
    std::vector<std::optional<QRgb>> m_fills;
};

} // namespace velmora
