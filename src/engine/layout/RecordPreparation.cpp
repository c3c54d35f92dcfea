#include "engine/layout/RecordPreparation.h"

#include "engine/layout/LayoutErrors.h"
#include "engine/layout/OperandSourceTable.h"
#include "engine/layout/RankedGroups.h"
#include "engine/layout/RecordContext.h"
#include "engine/layout/SortKeyPacking.h"
#include "engine/layout/SummaryAccumulator.h"
#include "engine/layout/ValueOrder.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <unordered_map>

namespace velmora {

namespace {

void checkCancel(const CancelToken &cancel)
{
    if (cancel.isCancelled())
        throw Failure(LayoutErrors::Stopped, QStringLiteral("S'ha aturat la preparació de l'informe."));
}

/// A database field whose record set ranks its source rows: each record
/// takes its row's rank, and no value is looked at. Empty when the set
/// cannot rank the field.
std::vector<quint32> sourceRankKey(const RecordSet &records, const Operand &operand, const std::vector<quint32> &order,
                                   const CancelToken &cancel)
{
    const int table = operand.isFormula ? -1 : records.sourceTable(operand.index);
    if (table < 0)
        return {};
    const std::vector<quint32> rowRanks = records.sourceRanks(operand.index);
    if (rowRanks.empty())
        return {};
    std::vector<quint32> rankOf(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        if ((i & 0xFFFF) == 0)
            checkCancel(cancel);
        const qint64 row = records.sourceRow(order[i], table);
        // A missing row gives a null value, which ranks as a null cell does.
        rankOf[i] = row >= 0 ? rowRanks[size_t(row)] : 0;
    }
    return rankOf;
}

/// Every selected record gets, for one key, the rank of its value among all
/// distinct values: sorting then compares small integers, and the collation
/// runs once per distinct value instead of once per comparison.
std::vector<quint32> rankKey(RecordContext &context, const RecordSet &records, const Operand &operand,
                             const std::vector<quint32> &order, const CancelToken &cancel)
{
    if (std::vector<quint32> ranked = sourceRankKey(records, operand, order, cancel); !ranked.empty())
        return ranked;
    std::unordered_map<Value, quint32, ValueHash, ValueEqual> ids;
    std::vector<Value> distinct;
    std::vector<quint32> idOf(order.size());
    const auto idFor = [&](Value v) {
        auto [it, inserted] = ids.try_emplace(v, quint32(distinct.size()));
        if (inserted)
            distinct.push_back(std::move(v));
        return it->second;
    };
    // A database field takes its value from one row of its table: look each
    // row's value up once, however many records share the row.
    const int table = operand.isFormula ? -1 : records.sourceTable(operand.index);
    std::vector<qint64> idOfRow(table >= 0 ? size_t(records.sourceRowCount(table)) : 0, -1);
    qint64 idOfMissing = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        if ((i & 0xFFFF) == 0)
            checkCancel(cancel);
        if (table >= 0) {
            const qint64 row = records.sourceRow(order[i], table);
            qint64 &known = row >= 0 ? idOfRow[size_t(row)] : idOfMissing;
            if (known < 0) {
                context.setRecord(order[i]);
                known = idFor(context.operandValue(operand));
            }
            idOf[i] = quint32(known);
            continue;
        }
        context.setRecord(order[i]);
        idOf[i] = idFor(context.operandValue(operand));
    }
    std::vector<quint32> byValue(distinct.size());
    for (quint32 i = 0; i < byValue.size(); ++i)
        byValue[i] = i;
    std::sort(byValue.begin(), byValue.end(),
              [&](quint32 a, quint32 b) { return collateValues(distinct[a], distinct[b]) < 0; });
    std::vector<quint32> rankOfId(distinct.size());
    for (quint32 r = 0; r < byValue.size(); ++r)
        rankOfId[byValue[r]] = r;
    for (quint32 &id : idOf)
        id = rankOfId[id];
    return idOf;
}

std::vector<quint32> selectRecords(const ReportPlan &plan, RecordContext &context, qint64 count,
                                   const CancelToken &cancel, const ProgressCallback &progress)
{
    std::vector<quint32> selected;
    if (!plan.recordSelection()) {
        checkCancel(cancel);
        selected.resize(size_t(count));
        std::iota(selected.begin(), selected.end(), quint32(0));
        return selected;
    }
    selected.reserve(size_t(count));
    for (qint64 r = 0; r < count; ++r) {
        if ((r & 0xFFFF) == 0) {
            checkCancel(cancel);
            if (progress)
                progress({r, 0, QStringLiteral("Seleccionant els registres")});
        }
        context.setRecord(r);
        if (context.holds(plan.recordSelection()))
            selected.push_back(quint32(r));
    }
    return selected;
}

/// The positions 0..n-1 of `order` in sorted order: by the keys' ranks,
/// then by position (a stable sort).
std::vector<quint32> sortedPositions(const ReportPlan &plan, const std::vector<std::vector<quint32>> &ranks, size_t n)
{
    std::vector<quint32> index(n);
    for (quint32 i = 0; i < index.size(); ++i)
        index[i] = i;
    if (std::optional<SortKeyPacking> packing = SortKeyPacking::fit(plan.sortKeys(), ranks)) {
        std::vector<std::pair<quint64, quint32>> packed(n);
        for (quint32 i = 0; i < n; ++i)
            packed[i] = {packing->packed(ranks, i), i};
        std::sort(packed.begin(), packed.end());
        for (quint32 i = 0; i < n; ++i)
            index[i] = packed[i].second;
        return index;
    }
    const auto &keys = plan.sortKeys();
    std::stable_sort(index.begin(), index.end(), [&](quint32 a, quint32 b) {
        for (size_t k = 0; k < keys.size(); ++k) {
            const quint32 ra = ranks[k][a], rb = ranks[k][b];
            if (ra != rb)
                return keys[k].direction == SortDirection::Ascending ? ra < rb : ra > rb;
        }
        return false;
    });
    return index;
}

/// Sorts `order` by the keys; ranks[k][i] is key k's rank for order[i].
/// Afterwards only the group levels' ranks are kept, following their
/// records: the other sort keys are not needed once sorted.
void sortRecords(const ReportPlan &plan, std::vector<quint32> &order, std::vector<std::vector<quint32>> &ranks)
{
    const std::vector<quint32> index = sortedPositions(plan, ranks, order.size());
    const auto permute = [&index](std::vector<quint32> &values) {
        std::vector<quint32> sorted(values.size());
        for (size_t i = 0; i < index.size(); ++i)
            sorted[i] = values[index[i]];
        values = std::move(sorted);
    };
    ranks.resize(size_t(plan.groupCount()));
    permute(order);
    for (auto &r : ranks)
        permute(r);
}

/// Finds where each group starts: group level L changes where any key of
/// levels 0..L changes.
void findGroups(const ReportPlan &plan, PreparedRecords &prepared, const std::vector<std::vector<quint32>> &ranksInOrder)
{
    const int levels = plan.groupCount();
    const size_t n = prepared.order.size();
    prepared.levels.assign(size_t(levels), GroupLevel{});
    prepared.firstStartingLevel.assign(n, quint8(levels));
    prepared.firstEndingLevel.assign(n, quint8(levels));
    for (size_t i = 0; i < n; ++i) {
        int changed = levels;
        for (int l = 0; l < levels; ++l)
            if (i == 0 || ranksInOrder[size_t(l)][i] != ranksInOrder[size_t(l)][i - 1]) {
                changed = l;
                break;
            }
        prepared.firstStartingLevel[i] = quint8(changed);
        for (int l = changed; l < levels; ++l)
            prepared.levels[size_t(l)].starts.push_back(quint32(i));
        if (i > 0)
            prepared.firstEndingLevel[i - 1] = quint8(changed);
    }
    if (n > 0)
        prepared.firstEndingLevel[n - 1] = 0;
}

void recordGroupKeys(const ReportPlan &plan, PreparedRecords &prepared, RecordContext &context)
{
    for (int l = 0; l < plan.groupCount(); ++l) {
        GroupLevel &level = prepared.levels[size_t(l)];
        level.keys.clear();
        for (size_t g = 0; g < level.starts.size(); ++g) {
            if (level.isGathered(int(g))) {
                level.keys.push_back(Value::string(plan.ranking(l)->restName));
                continue;
            }
            context.setPosition(level.starts[g]);
            level.keys.push_back(context.operandValue(plan.sortKeys()[size_t(l)].operand));
        }
    }
}

/// Which groups gather the rest, from the flags of their first positions.
void markGatheredGroups(PreparedRecords &prepared, const std::vector<std::vector<bool>> &gatheredAt)
{
    prepared.anyGathered = false;
    for (size_t l = 0; l < prepared.levels.size(); ++l) {
        GroupLevel &level = prepared.levels[l];
        level.gathered.assign(level.starts.size(), false);
        for (size_t g = 0; g < level.starts.size(); ++g)
            level.gathered[g] = gatheredAt[l][level.starts[g]];
        prepared.anyGathered = prepared.anyGathered
                            || std::find(level.gathered.begin(), level.gathered.end(), true) != level.gathered.end();
    }
}

/// 100 × part / whole, or Null when either is Null, not a number, or the
/// whole is zero.
Value percentage(const Value &part, const Value &whole)
{
    if (!part.isNumeric() || !whole.isNumeric() || whole.toDouble() == 0)
        return Value();
    return Value::number(100.0 * part.toDouble() / whole.toDouble());
}

const Value &summaryAtPosition(const PreparedRecords &prepared, const SummaryPlan &plan, int summary, qint64 position)
{
    if (plan.groupLevel < 0)
        return prepared.reportSummaries[size_t(summary)];
    const GroupLevel &level = prepared.levels[size_t(plan.groupLevel)];
    return level.summaries[size_t(summary)][size_t(level.groupAt(position))];
}

/// Each group's share of the same summary over the group holding it at the
/// outer level; worked out once the plain summaries are known.
void computePercentages(const ReportPlan &plan, PreparedRecords &prepared)
{
    const auto &summaries = plan.summaries();
    for (size_t s = 0; s < summaries.size(); ++s) {
        const SummaryPlan &p = summaries[s];
        if (!p.isPercentage())
            continue;
        const auto [part, whole] = p.percentOf;
        const SummaryPlan &wholePlan = summaries[size_t(whole)];
        if (p.groupLevel < 0) {
            prepared.reportSummaries[s] = percentage(prepared.reportSummaries[size_t(part)], prepared.reportSummaries[size_t(whole)]);
            continue;
        }
        GroupLevel &level = prepared.levels[size_t(p.groupLevel)];
        std::vector<Value> &shares = level.summaries[s];
        shares.clear();
        for (size_t g = 0; g < level.starts.size(); ++g)
            shares.push_back(percentage(level.summaries[size_t(part)][g],
                                        summaryAtPosition(prepared, wholePlan, whole, level.starts[g])));
    }
}

/// The operands the plain summaries read, each once however many summaries
/// read it (a field summed at every level): per record each is worked out
/// once. `operandOf[s]` and `weightOf[s]` index `operands` (-1: none).
struct SummaryOperands {
    std::vector<Operand> operands;
    std::vector<int> operandOf;
    std::vector<int> weightOf;

    explicit SummaryOperands(const std::vector<SummaryPlan> &summaries)
    {
        for (const SummaryPlan &s : summaries) {
            operandOf.push_back(s.isPercentage() ? -1 : slotOf(s.operand));
            weightOf.push_back(s.isPercentage() || !s.weight ? -1 : slotOf(*s.weight));
        }
    }
    int slotOf(const Operand &operand)
    {
        const auto found = std::find(operands.begin(), operands.end(), operand);
        if (found != operands.end())
            return int(found - operands.begin());
        operands.push_back(operand);
        return int(operands.size()) - 1;
    }
};

/// Which of the summaries' operands a chart of records also reads: their
/// numbers are kept by position as they are worked out (KeptNumbers), when
/// the record alone fixes them. Returns their indexes into `operands`.
std::vector<size_t> keepChartNumbers(const ReportPlan &plan, PreparedRecords &prepared,
                                     const std::vector<Operand> &operands)
{
    std::vector<size_t> kept;
    std::vector<Operand> keptOperands;
    const std::vector<Operand> &charted = plan.chartRecordOperands();
    for (size_t o = 0; o < operands.size(); ++o) {
        if (std::find(charted.begin(), charted.end(), operands[o]) == charted.end()
            || !operandReadsOnlyRecord(plan, operands[o]))
            continue;
        kept.push_back(o);
        keptOperands.push_back(operands[o]);
    }
    prepared.chartNumbers.keep(std::move(keptOperands), kept.empty() ? 0 : prepared.size());
    return kept;
}

void computeSummaries(const ReportPlan &plan, PreparedRecords &prepared, RecordContext &context,
                      const CancelToken &cancel)
{
    const auto &summaries = plan.summaries();
    prepared.reportSummaries.assign(summaries.size(), Value());
    for (GroupLevel &level : prepared.levels)
        level.summaries.assign(summaries.size(), {});
    std::vector<SummaryAccumulator> acc;
    for (const SummaryPlan &s : summaries) {
        acc.emplace_back(s.operation, s.argument);
        if (s.groupLevel >= 0)
            prepared.levels[size_t(s.groupLevel)].summaries[&s - summaries.data()].reserve(
                prepared.levels[size_t(s.groupLevel)].starts.size());
    }
    const SummaryOperands read(summaries);
    const std::vector<size_t> kept = keepChartNumbers(plan, prepared, read.operands);
    std::vector<Value> values(read.operands.size());
    const Value none;
    const qint64 n = prepared.size();
    for (qint64 pos = 0; pos < n; ++pos) {
        if ((pos & 0xFFFF) == 0)
            checkCancel(cancel);
        context.setPosition(pos);
        for (size_t o = 0; o < values.size(); ++o)
            values[o] = context.operandValue(read.operands[o]);
        for (size_t k = 0; k < kept.size(); ++k)
            prepared.chartNumbers.set(k, pos, values[kept[k]]);
        const int ending = prepared.firstEndingLevel[size_t(pos)];
        for (size_t s = 0; s < summaries.size(); ++s) {
            if (summaries[s].isPercentage())
                continue;
            const int weight = read.weightOf[s];
            acc[s].add(values[size_t(read.operandOf[s])], weight >= 0 ? values[size_t(weight)] : none);
            const int level = summaries[s].groupLevel;
            if (level >= 0 && level >= ending) {
                prepared.levels[size_t(level)].summaries[s].push_back(acc[s].result());
                acc[s].reset();
            }
        }
    }
    for (size_t s = 0; s < summaries.size(); ++s)
        if (summaries[s].groupLevel < 0 && !summaries[s].isPercentage())
            prepared.reportSummaries[s] = acc[s].result();
    computePercentages(plan, prepared);
    prepared.summariesReady = true;
}

/// Leaves out the groups whose selection formula is not true; returns
/// whether anything was left out.
bool applyGroupSelection(const ReportPlan &plan, PreparedRecords &prepared, RecordContext &context)
{
    std::vector<bool> keep(prepared.order.size(), true);
    bool removed = false;
    for (int l = 0; l < plan.groupCount(); ++l) {
        if (!plan.groupSelection(l))
            continue;
        const GroupLevel &level = prepared.levels[size_t(l)];
        for (size_t g = 0; g < level.starts.size(); ++g) {
            context.setPosition(level.starts[g]);
            if (context.holds(plan.groupSelection(l)))
                continue;
            removed = true;
            for (qint64 p = level.starts[g]; p < level.endOf(int(g), prepared.size()); ++p)
                keep[size_t(p)] = false;
        }
    }
    if (!removed)
        return false;
    std::vector<quint32> kept;
    for (size_t p = 0; p < keep.size(); ++p)
        if (keep[p])
            kept.push_back(prepared.order[p]);
    prepared.order = std::move(kept);
    return true;
}

void computeRunningTotals(const ReportPlan &plan, PreparedRecords &prepared, RecordContext &context,
                          const CancelToken &cancel)
{
    const auto &totals = plan.runningTotals();
    prepared.runningTotals.assign(totals.size(), {});
    for (size_t t = 0; t < totals.size(); ++t) {
        const RunningTotalPlan &total = totals[t];
        SummaryAccumulator acc(total.operation, total.argument);
        auto &values = prepared.runningTotals[t];
        values.reserve(size_t(prepared.size()));
        for (qint64 pos = 0; pos < prepared.size(); ++pos) {
            if ((pos & 0xFFFF) == 0)
                checkCancel(cancel);
            if (total.resetGroupLevel >= 0 && prepared.firstStartingLevel[size_t(pos)] <= total.resetGroupLevel)
                acc.reset();
            context.setPosition(pos);
            if (!total.condition || context.holds(total.condition))
                acc.add(context.operandValue(total.operand), total.weight ? context.operandValue(*total.weight) : Value());
            values.push_back(acc.result());
        }
    }
    prepared.runningTotalsReady = true;
}

/// Finds the groups of the current order from each level's identity per
/// position, then works out their keys and every summary again.
void regroup(const ReportPlan &plan, PreparedRecords &prepared, RecordContext &context,
             const std::vector<std::vector<quint32>> &groupIds, const std::vector<std::vector<bool>> *gatheredAt,
             const CancelToken &cancel, const ProgressCallback &progress)
{
    prepared.summariesReady = false;
    findGroups(plan, prepared, groupIds);
    if (gatheredAt)
        markGatheredGroups(prepared, *gatheredAt);
    recordGroupKeys(plan, prepared, context);
    if (progress)
        progress({prepared.size(), 0, QStringLiteral("Calculant els totals")});
    computeSummaries(plan, prepared, context, cancel);
}

/// Whether ranking level `level` only moved whole groups: none left out and
/// none gathered, so every group holds the records it held before.
bool onlyMovesGroups(const RankedOrder &ranked, int level, const PreparedRecords &prepared)
{
    const std::vector<bool> &gathered = ranked.gathered[size_t(level)];
    return ranked.order.size() == prepared.order.size()
        && std::find(gathered.begin(), gathered.end(), true) == gathered.end();
}

/// Gives each group of `prepared` the summaries its records had as a group
/// of `before`, the same records in their earlier order: a group that only
/// moved adds up to what it did, so nothing is counted again. The numbers
/// kept for charts follow their records to the new order.
void carrySummaries(const PreparedRecords &before, PreparedRecords &prepared)
{
    std::vector<quint32> earlierPosition(size_t(prepared.records->size()));
    for (size_t p = 0; p < before.order.size(); ++p)
        earlierPosition[before.order[p]] = quint32(p);
    for (size_t l = 0; l < prepared.levels.size(); ++l) {
        const GroupLevel &earlier = before.levels[l];
        GroupLevel &level = prepared.levels[l];
        level.summaries.assign(earlier.summaries.size(), {});
        for (size_t s = 0; s < earlier.summaries.size(); ++s) {
            if (earlier.summaries[s].empty())
                continue;
            level.summaries[s].reserve(level.starts.size());
            for (quint32 start : level.starts) {
                const int group = earlier.groupAt(earlierPosition[prepared.order[start]]);
                level.summaries[s].push_back(earlier.summaries[s][size_t(group)]);
            }
        }
    }
    if (!prepared.chartNumbers.empty()) {
        std::vector<quint32> from(prepared.order.size());
        for (size_t p = 0; p < from.size(); ++p)
            from[p] = earlierPosition[prepared.order[p]];
        prepared.chartNumbers.reorder(from);
    }
}

/// Ranks the ranked levels outermost first: each ranks within the groups
/// the levels outside it were left with. Every total is worked out again
/// over what is kept, or carried over when the ranking only moved groups.
void applyRankings(const ReportPlan &plan, PreparedRecords &prepared, RecordContext &context,
                   const CancelToken &cancel, const ProgressCallback &progress)
{
    for (int l = 0; l < plan.groupCount(); ++l) {
        if (!plan.ranking(l))
            continue;
        checkCancel(cancel);
        RankedOrder ranked = rankGroups(*plan.ranking(l), l, prepared);
        if (!onlyMovesGroups(ranked, l, prepared)) {
            prepared.order = std::move(ranked.order);
            regroup(plan, prepared, context, ranked.groupIds, &ranked.gathered, cancel, progress);
            continue;
        }
        PreparedRecords before;
        before.order = std::exchange(prepared.order, std::move(ranked.order));
        before.levels = std::move(prepared.levels);
        prepared.summariesReady = false;
        findGroups(plan, prepared, ranked.groupIds);
        markGatheredGroups(prepared, ranked.gathered);
        recordGroupKeys(plan, prepared, context);
        carrySummaries(before, prepared);
        computePercentages(plan, prepared);
        prepared.summariesReady = true;
    }
}

} // namespace

PreparedRecords prepareRecords(const ReportPlan &plan, std::shared_ptr<const RecordSet> records,
                               const QDateTime &printTime, const CancelToken &cancel,
                               const ProgressCallback &progress)
{
    PreparedRecords prepared;
    prepared.records = std::move(records);
    RecordContext context(plan, prepared, printTime);
    std::vector<quint32> order = selectRecords(plan, context, prepared.records->size(), cancel, progress);

    if (progress)
        progress({qint64(order.size()), 0, QStringLiteral("Ordenant els registres")});
    for (int pass = 0; pass < 2; ++pass) {
        // The first pass sorts; the second, after group selection, keeps the
        // sorted order and only ranks the group keys again.
        std::vector<std::vector<quint32>> ranks;
        const size_t keys = pass == 0 ? plan.sortKeys().size() : size_t(plan.groupCount());
        for (size_t k = 0; k < keys; ++k)
            ranks.push_back(rankKey(context, *prepared.records, plan.sortKeys()[k].operand, order, cancel));
        if (pass == 0)
            sortRecords(plan, order, ranks);
        prepared.order = order;
        regroup(plan, prepared, context, ranks, nullptr, cancel, progress);
        // Group selection may leave groups out; the totals are then worked
        // out again over what remains, so every total matches what is shown.
        if (pass == 1 || !applyGroupSelection(plan, prepared, context))
            break;
        order = prepared.order;
    }
    // Record selection, then group selection, then ranking: a ranked level's
    // first N are counted among the groups the selection kept.
    applyRankings(plan, prepared, context, cancel, progress);
    computeRunningTotals(plan, prepared, context, cancel);
    return prepared;
}

} // namespace velmora
