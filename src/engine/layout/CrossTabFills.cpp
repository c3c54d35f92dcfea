#include "engine/layout/CrossTabFills.h"

#include "engine/layout/PropertyApplier.h"

namespace velmora {

CrossTabFills::CrossTabFills(const CrossTabGrid &grid, const CrossTabPlan &plan, RecordContext &context)
    : m_columns(grid.columns().size()), m_summaries(size_t(grid.summaryCount()))
{
    if (plan.cellBackground.empty() && plan.totalBackground.empty())
        return;
    const CrossTabDefinition &definition = *plan.definition;
    PropertyApplier applier(context);
    m_fills.reserve(grid.rows().size() * m_columns * m_summaries);
    for (const CrossTabLine &row : grid.rows()) {
        for (const CrossTabLine &column : grid.columns()) {
            const bool total = grid.isTotal(row) || grid.isTotal(column);
            const std::vector<PropertyPlan> &plans = total ? plan.totalBackground : plan.cellBackground;
            const std::optional<QRgb> designed = (total ? definition.totalStyle : definition.cellStyle).background;
            for (int s = 0; s < int(m_summaries); ++s)
                m_fills.push_back(plans.empty() ? designed
                                                : applier.background(plans, designed, grid.cell(row, column, s)));
        }
    }
}

} // namespace velmora
