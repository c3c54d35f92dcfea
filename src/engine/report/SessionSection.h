#pragma once

#include "engine/report/ReportNode.h"

namespace velmora {

/// One section of a report or subreport with its report objects in order.
class SessionSection : public EngineSection {
public:
    SessionSection(ReportNode node, std::size_t sectionIndex);

    QString name() const override;
    std::vector<std::shared_ptr<EngineReportObject>> reportObjects() override;

private:
    const SectionDefinition &section() const;

    ReportNode m_node;
    std::size_t m_sectionIndex;
};

} // namespace velmora
