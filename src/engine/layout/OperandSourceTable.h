#pragma once

#include "engine/layout/RecordSet.h"
#include "engine/layout/ReportPlan.h"

namespace velmora {

/// The source table of `records` whose row alone fixes `operand`'s value
/// for a record, so that records sharing that row share the value: a
/// database field's own table, or for a formula the one table every field
/// it reads (directly or through other formulas) comes from, when it reads
/// nothing else that changes from record to record (summaries, running
/// totals, page or record numbers). -1 when there is no such table, or the
/// record set does not tell where its fields come from.
///
/// Holds only while field values are the records' own: not where a group
/// that gathers the rest of a ranked level shows its name in place of its
/// field (PreparedRecords::anyGathered).
int operandSourceTable(const ReportPlan &plan, const RecordSet &records, const Operand &operand);

/// Whether `operand`'s value is fixed by its record alone: a database field,
/// or a formula that reads only fields, parameters and such formulas (no
/// summary, running total, page or record number). Such a value is the
/// same whenever and wherever it is worked out.
bool operandReadsOnlyRecord(const ReportPlan &plan, const Operand &operand);

} // namespace velmora
