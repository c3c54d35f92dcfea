#pragma once

#include "engine/core/Value.h"
#include "engine/page/PageSource.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace velmora {

/// A database field a report reads: {alias.field}.
struct FieldKey {
    QString alias;
    QString field;
    bool operator==(const FieldKey &) const = default;
};

/// The report's records after its tables are joined: one value per requested
/// field. Read-only once built, so any thread may read it.
class RecordSet {
public:
    virtual ~RecordSet() = default;
    virtual qint64 size() const = 0;
    /// `field` indexes the field list the set was built for.
    virtual Value value(qint64 record, int field) const = 0;

    /// Where a field's values come from, when the set knows: records that
    /// share a source row share the value, so work per value (ranking for a
    /// sort) can be done once per row. -1 when unknown.
    virtual int sourceTable(int field) const { Q_UNUSED(field); return -1; }
    virtual qint64 sourceRowCount(int table) const { Q_UNUSED(table); return 0; }
    /// The source row of `table` behind `record`; -1 for none (an outer join's
    /// missing side).
    virtual qint64 sourceRow(qint64 record, int table) const { Q_UNUSED(record); Q_UNUSED(table); return -1; }
    /// For each row of the field's source table, the rank of the field's
    /// value in the order collateValues() gives: 0 for null (as for a
    /// missing row), equal values sharing a rank. Empty when unknown.
    virtual std::vector<quint32> sourceRanks(int field) const { Q_UNUSED(field); return {}; }
};

/// Builds the joined records of one report (or subreport) for the fields it
/// needs. Throws Failure.
using RecordSetFactory = std::function<std::shared_ptr<const RecordSet>(
    const std::vector<FieldKey> &fields, const CancelToken &cancel, const ProgressCallback &progress)>;

} // namespace velmora
