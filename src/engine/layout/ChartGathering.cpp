#include "engine/layout/ChartGathering.h"

#include "engine/formula/ValueFormatter.h"
#include "engine/layout/ChartRecordPoints.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <unordered_map>

namespace velmora {

namespace {

QString seriesName(const ChartSeries &series)
{
    if (!series.name.isEmpty() || !series.value)
        return series.name;
    const FieldRef &ref = series.value->kind == FieldRef::Kind::Summary && series.value->operand
        ? *series.value->operand : *series.value;
    return ref.name;
}

/// The groups of `level` that start inside the scope.
std::pair<int, int> groupsWithin(const GroupLevel &level, ChartScope scope)
{
    const auto first = std::lower_bound(level.starts.begin(), level.starts.end(), quint32(scope.begin));
    const auto last = std::lower_bound(level.starts.begin(), level.starts.end(), quint32(scope.end));
    return {int(first - level.starts.begin()), int(last - level.starts.begin())};
}

std::optional<double> groupSummary(const GroupLevel &level, int summary, int group)
{
    const auto &values = level.summaries[size_t(summary)];
    return size_t(group) < values.size() ? chartNumber(values[size_t(group)]) : std::nullopt;
}

ChartValues perGroup(const ChartDefinition &chart, const ChartPlan &plan, const PreparedRecords &prepared,
                     ChartScope scope)
{
    ChartValues values;
    for (const ChartSeries &series : chart.series)
        values.series.append(seriesName(series));
    values.values.resize(plan.summaries.size());
    const GroupLevel &level = prepared.levels[size_t(chart.categoryLevel)];
    const auto [first, last] = groupsWithin(level, scope);
    for (int g = first; g < last; ++g) {
        values.categories.append(formatValue(level.keys[size_t(g)]));
        for (size_t s = 0; s < plan.summaries.size(); ++s)
            values.values[s].push_back(groupSummary(level, plan.summaries[s], g));
    }
    return values;
}

ChartValues perGroupPair(const ChartDefinition &chart, const ChartPlan &plan, const PreparedRecords &prepared,
                         ChartScope scope)
{
    ChartValues values;
    const GroupLevel &outer = prepared.levels[size_t(chart.categoryLevel)];
    const GroupLevel &inner = prepared.levels[size_t(chart.categoryLevel + 1)];
    const int summary = plan.summaries.front();
    std::unordered_map<QString, int> seriesIndex;
    const auto [first, last] = groupsWithin(outer, scope);
    for (int g = first; g < last; ++g) {
        const int category = values.categoryCount();
        values.categories.append(formatValue(outer.keys[size_t(g)]));
        for (auto &series : values.values)
            series.emplace_back();
        const ChartScope within{outer.starts[size_t(g)], outer.endOf(g, prepared.size())};
        const auto [innerFirst, innerLast] = groupsWithin(inner, within);
        for (int h = innerFirst; h < innerLast; ++h) {
            const QString name = formatValue(inner.keys[size_t(h)]);
            auto [at, added] = seriesIndex.try_emplace(name, values.seriesCount());
            if (added) {
                values.series.append(name);
                values.values.emplace_back(size_t(category + 1));
            }
            values.values[size_t(at->second)][size_t(category)] = groupSummary(inner, summary, h);
        }
    }
    return values;
}

ChartValues perRecord(const ChartDefinition &chart, const ChartPlan &plan, RecordContext &context,
                      ChartScope scope)
{
    const std::vector<ChartRecordPoint> points = gatherRecordPoints(plan, context, scope);
    ChartValues values;
    for (const ChartSeries &series : chart.series)
        values.series.append(seriesName(series));
    values.values.resize(plan.ys.size());
    const int maximum = std::clamp(chart.maximumPoints, 2, largestChartPointCount);
    for (int i : boundedPoints(int(points.size()), maximum)) {
        values.categories.append(formatValue(points[size_t(i)].x));
        for (size_t s = 0; s < plan.ys.size(); ++s)
            values.values[s].push_back(points[size_t(i)].sums[s]);
    }
    return values;
}

} // namespace

std::optional<double> chartNumber(const Value &value)
{
    switch (value.type()) {
    case ValueType::Integer:
    case ValueType::Number:
    case ValueType::Currency: {
        const double d = value.toDouble();
        return std::isfinite(d) ? std::optional<double>(d) : std::nullopt;
    }
    default: return std::nullopt;
    }
}

ChartScope chartScope(const PreparedRecords &prepared, int level, qint64 position)
{
    if (level < 0 || size_t(level) >= prepared.levels.size())
        return {0, prepared.size()};
    const GroupLevel &groups = prepared.levels[size_t(level)];
    const int group = groups.groupAt(std::max<qint64>(position, 0));
    if (group < 0)
        return {0, 0};
    return {groups.starts[size_t(group)], groups.endOf(group, prepared.size())};
}

std::vector<int> boundedPoints(int count, int maximum)
{
    std::vector<int> kept;
    if (count <= maximum) {
        kept.resize(size_t(std::max(0, count)));
        std::iota(kept.begin(), kept.end(), 0);
        return kept;
    }
    // Evenly spread over the whole range, so that the line still spans it.
    for (int i = 0; i < maximum; ++i)
        kept.push_back(int(std::llround(double(i) * (count - 1) / (maximum - 1))));
    return kept;
}

ChartValues gatherChartValues(const ChartDefinition &chart, const ChartPlan &plan, RecordContext &context,
                              const PreparedRecords &prepared, ChartScope scope)
{
    if (!prepared.summariesReady)
        return {};
    const int levels = int(prepared.levels.size());
    switch (chart.data) {
    case ChartData::Groups:
        if (chart.categoryLevel < levels && !plan.summaries.empty())
            return perGroup(chart, plan, prepared, scope);
        break;
    case ChartData::GroupPairs:
        if (chart.categoryLevel + 1 < levels && !plan.summaries.empty())
            return perGroupPair(chart, plan, prepared, scope);
        break;
    case ChartData::Records:
        return perRecord(chart, plan, context, scope);
    }
    return {};
}

} // namespace velmora
