#pragma once

#include "engine/report/ReportSession.h"

namespace velmora {

/// Where an engine object stands in an opened report: the shared session,
/// the definition it belongs to (the report's or a subreport's), and the
/// prefix its tables' layout keys carry ("" for the main report, "Sub/"
/// inside subreport object "Sub").
struct ReportNode {
    std::shared_ptr<ReportSession> session;
    std::shared_ptr<const ReportDefinition> definition;
    QString keyPrefix;

    bool isSubreport() const { return !keyPrefix.isEmpty(); }
};

} // namespace velmora
