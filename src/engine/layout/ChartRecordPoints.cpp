#include "engine/layout/ChartRecordPoints.h"

#include "engine/formula/ValueComparison.h"
#include "engine/layout/OperandSourceTable.h"
#include "engine/layout/ValueOrder.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace velmora {

namespace {

/// Puts the context back on its record however the gathering ends.
class PositionKeeper {
public:
    explicit PositionKeeper(RecordContext &context) : m_context(context), m_position(context.position()) {}
    ~PositionKeeper() { m_context.setPosition(m_position); }
    PositionKeeper(const PositionKeeper &) = delete;
    PositionKeeper &operator=(const PositionKeeper &) = delete;

private:
    RecordContext &m_context;
    qint64 m_position;
};

/// An operand's value at a record of the report's order: a plain field
/// straight from the record set, anything else through the context.
class OperandReader {
public:
    OperandReader(const Operand &operand, RecordContext &context)
        : m_operand(operand), m_context(context),
          m_straight(!operand.isFormula && !context.prepared().anyGathered),
          // Where a group gathers the rest of a ranked level, the section sees
          // that group's name in place of its field: the summaries' pass did not.
          m_kept(context.prepared().anyGathered ? nullptr : context.prepared().chartNumbers.column(operand))
    {
    }

    Value at(qint64 position, qint64 record)
    {
        if (m_straight)
            return m_context.prepared().records->value(record, m_operand.index);
        m_context.setPosition(position);
        return m_context.operandValue(m_operand);
    }

    /// The number the chart draws: the one the summaries kept when there is
    /// one (PreparedRecords::chartNumbers).
    std::optional<double> numberAt(qint64 position, qint64 record)
    {
        if (!m_kept)
            return chartNumber(at(position, record));
        const double kept = (*m_kept)[size_t(position)];
        return std::isnan(kept) ? std::nullopt : std::optional<double>(kept);
    }

private:
    Operand m_operand;
    RecordContext &m_context;
    bool m_straight;
    const std::vector<double> *m_kept;
};

/// The points met so far, found by their x.
class PointTable {
public:
    explicit PointTable(size_t seriesCount) : m_seriesCount(seriesCount) {}

    /// The point of `x`, made when new; none for a Null x.
    std::optional<size_t> pointOf(Value x)
    {
        if (x.isNull())
            return std::nullopt;
        // Neighbouring records mostly share their x (a month, a day): the
        // last point found is tried before the hash.
        if (m_last < m_points.size() && ValueEqual()(m_points[m_last].x, x))
            return m_last;
        const auto [at, added] = m_pointOf.try_emplace(x, m_points.size());
        if (added)
            m_points.push_back({std::move(x), std::vector<std::optional<double>>(m_seriesCount)});
        m_last = at->second;
        return m_last;
    }

    void add(size_t point, size_t series, double y)
    {
        std::optional<double> &sum = m_points[point].sums[series];
        sum = sum.value_or(0) + y;
    }

    std::vector<ChartRecordPoint> inOrderOfX() &&
    {
        std::stable_sort(m_points.begin(), m_points.end(), [](const ChartRecordPoint &a, const ChartRecordPoint &b) {
            return compareValues(a.x, b.x) < 0;
        });
        return std::move(m_points);
    }

private:
    size_t m_seriesCount;
    std::vector<ChartRecordPoint> m_points;
    std::unordered_map<Value, size_t, ValueHash, ValueEqual> m_pointOf;
    size_t m_last = 0;
};

} // namespace

std::vector<ChartRecordPoint> gatherRecordPoints(const ChartPlan &plan, RecordContext &context, ChartScope scope)
{
    if (!plan.x)
        return {};
    const PreparedRecords &prepared = context.prepared();
    const RecordSet &records = *prepared.records;
    const int xTable = prepared.anyGathered ? -1 : operandSourceTable(context.plan(), records, *plan.x);
    OperandReader x(*plan.x, context);
    std::vector<OperandReader> ys;
    for (const Operand &y : plan.ys)
        ys.emplace_back(y, context);
    PointTable points(ys.size());
    PositionKeeper keeper(context);
    qint64 lastRow = -2; // the source row whose x was worked out last (-1: a missing row)
    std::optional<size_t> pointOfRow;
    for (qint64 p = scope.begin; p < scope.end; ++p) {
        const qint64 record = prepared.order[size_t(p)];
        std::optional<size_t> point;
        if (xTable < 0) {
            point = points.pointOf(x.at(p, record));
        } else {
            const qint64 row = records.sourceRow(record, xTable);
            if (row != lastRow) {
                lastRow = row;
                pointOfRow = points.pointOf(x.at(p, record));
            }
            point = pointOfRow;
        }
        if (!point)
            continue;
        for (size_t s = 0; s < ys.size(); ++s)
            if (const std::optional<double> y = ys[s].numberAt(p, record))
                points.add(*point, s, *y);
    }
    return std::move(points).inOrderOfX();
}

} // namespace velmora
