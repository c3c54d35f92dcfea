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
};

/// Builds the joined records of one report (or subreport) for the fields it
/// needs. Throws Failure.
using RecordSetFactory = std::function<std::shared_ptr<const RecordSet>(
    const std::vector<FieldKey> &fields, const CancelToken &cancel, const ProgressCallback &progress)>;

} // namespace velmora
