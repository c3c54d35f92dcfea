#pragma once

#include "engine/report/ReportNode.h"

namespace velmora {

/// A subreport object, which opens its nested report as an EngineReport
/// sharing the containing report's session.
class SessionSubreportObject : public EngineSubreportObject {
public:
    /// `object` lives in `node.definition`, which this object keeps alive.
    SessionSubreportObject(ReportNode node, const ReportObject &object);

    std::shared_ptr<EngineReport> openSubreport() override;

private:
    ReportNode m_node;
    const ReportObject *m_object;
};

} // namespace velmora
