#pragma once

#include "engine/report/ReportNode.h"

namespace velmora {

/// The tables of one report or subreport, in the definition's order.
class SessionDatabase : public EngineDatabase {
public:
    explicit SessionDatabase(ReportNode node) : m_node(std::move(node)) {}
    std::vector<std::shared_ptr<EngineTable>> tables() override;

private:
    ReportNode m_node;
};

} // namespace velmora
