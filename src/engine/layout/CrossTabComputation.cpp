#include "engine/layout/CrossTabComputation.h"

#include "engine/layout/CrossTabCounter.h"

namespace velmora {

namespace {

class RecordReader {
public:
    RecordReader(const CrossTabPlan &plan, RecordContext &context)
        : m_plan(plan), m_context(context), m_rowKeys(plan.rows.size()), m_columnKeys(plan.columns.size()),
          m_values(plan.summaries.size()), m_weights(plan.summaries.size())
    {
    }

    void countInto(CrossTabCounter &counter, qint64 first, qint64 last)
    {
        for (qint64 position = first; position < last; ++position) {
            m_context.setPosition(position);
            read(m_plan.rows, m_rowKeys);
            read(m_plan.columns, m_columnKeys);
            for (size_t s = 0; s < m_plan.summaries.size(); ++s) {
                const CrossTabPlan::Summary &summary = m_plan.summaries[s];
                m_values[s] = m_context.operandValue(summary.operand);
                m_weights[s] = summary.weight ? m_context.operandValue(*summary.weight) : Value();
            }
            counter.add(m_rowKeys, m_columnKeys, m_values, m_weights);
        }
    }

private:
    void read(const std::vector<Operand> &operands, std::vector<Value> &into)
    {
        for (size_t i = 0; i < operands.size(); ++i)
            into[i] = m_context.operandValue(operands[i]);
    }

    const CrossTabPlan &m_plan;
    RecordContext &m_context;
    std::vector<Value> m_rowKeys, m_columnKeys, m_values, m_weights;
};

} // namespace

std::unique_ptr<CrossTabGrid> computeCrossTab(const CrossTabPlan &plan, RecordContext &context, qint64 first,
                                              qint64 last)
{
    const qint64 standing = context.position();
    RecordReader reader(plan, context);
    CrossTabCounter firstCount(plan);
    reader.countInto(firstCount, first, last);
    std::unique_ptr<CrossTabGrid> grid = firstCount.finish();
    const auto rows = selectTopLines(*grid, CrossTabGrid::Side::Rows, plan.definition->rows);
    const auto columns = selectTopLines(*grid, CrossTabGrid::Side::Columns, plan.definition->columns);
    if (rows || columns) {
        CrossTabCounter secondCount(plan, rows.get(), columns.get());
        grid.reset();
        reader.countInto(secondCount, first, last);
        grid = secondCount.finish();
    }
    context.setPosition(standing);
    return grid;
}

} // namespace velmora
