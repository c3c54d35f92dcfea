#pragma once

#include "engine/core/Value.h"
#include "engine/layout/KeptNumbers.h"
#include "engine/layout/RecordSet.h"

#include <memory>
#include <vector>

namespace velmora {

/// One level of grouping over the ordered records: where each group starts,
/// and its summaries.
struct GroupLevel {
    std::vector<quint32> starts; ///< position of each group's first record, ascending
    /// summaries[summary][group]: only for the summaries of this level (others empty)
    std::vector<std::vector<Value>> summaries;
    /// The group's value (its key), as the group tree shows it; for a group
    /// that gathers the rest of a ranked level, the name the report gives it.
    std::vector<Value> keys;
    /// Whether each group gathers the rest of a ranked level; empty when none does.
    std::vector<bool> gathered;

    bool isGathered(int group) const { return group >= 0 && size_t(group) < gathered.size() && gathered[size_t(group)]; }

    /// The group holding the record at `position`.
    int groupAt(qint64 position) const;
    qint64 endOf(int group, qint64 recordCount) const
    {
        return size_t(group + 1) < starts.size() ? qint64(starts[size_t(group + 1)]) : recordCount;
    }
};

/// The report's records once selected, sorted and grouped, with every
/// summary and running total computed: what pagination walks.
/// Read-only after preparation.
struct PreparedRecords {
    std::shared_ptr<const RecordSet> records;
    std::vector<quint32> order; ///< position -> record of `records`
    std::vector<GroupLevel> levels;
    /// For each position: the outermost level whose group starts there, and
    /// the outermost level whose group ends there (levels.size() if none).
    std::vector<quint8> firstStartingLevel;
    std::vector<quint8> firstEndingLevel;
    std::vector<Value> reportSummaries; ///< by summary; Null for those of a group level
    std::vector<std::vector<Value>> runningTotals; ///< [total][position]
    KeptNumbers chartNumbers; ///< what charts of records read of the summaries' operands
    bool summariesReady = false;
    bool anyGathered = false; ///< some group gathers the rest of a ranked level
    bool runningTotalsReady = false;

    qint64 size() const { return qint64(order.size()); }
};

} // namespace velmora
