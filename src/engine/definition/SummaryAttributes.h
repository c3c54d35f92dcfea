#pragma once

// The attributes that say which summary is meant, shared by <summary>,
// <runningTotal> and a group's <rank>: the operation, its field, and the
// argument or weight field some operations take.

#include "engine/definition/AttributeReader.h"
#include "engine/definition/ReferenceReader.h"
#include "engine/definition/XmlOutput.h"

namespace velmora {

/// Reads `operation` (required), the field from `sourceName`, and
/// `argument` or `weight` when the operation takes one, into a Summary
/// reference. An argument that the operation does not take is left unread,
/// so that finish() refuses it.
FieldRef readSummaryAttributes(AttributeReader &attributes, const ReferenceReader &references,
                               QStringView sourceName);

/// Reads `percentOf` (an outer group or `report`) for a summary of
/// `summary.groupLevel`.
int readPercentOf(AttributeReader &attributes, const ReferenceReader &references, const FieldRef &summary);

void writeSummaryAttributes(XmlOutput &out, const FieldRef &summary, QStringView sourceName);

} // namespace velmora
