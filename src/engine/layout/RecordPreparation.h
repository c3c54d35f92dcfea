#pragma once

#include "engine/layout/PreparedRecords.h"
#include "engine/layout/ReportPlan.h"

#include <QDateTime>

namespace velmora {

/// Turns the joined records into the report's records: record selection,
/// a stable sort by the group keys then the sort fields, group boundaries,
/// group selection, summaries and running totals. Throws Failure; stops
/// with LayoutErrors::Stopped when cancelled.
PreparedRecords prepareRecords(const ReportPlan &plan, std::shared_ptr<const RecordSet> records,
                               const QDateTime &printTime, const CancelToken &cancel,
                               const ProgressCallback &progress);

} // namespace velmora
