#include "engine/report/SessionApplication.h"

#include "engine/report/SessionReport.h"

#include <QFileInfo>

namespace velmora {

std::shared_ptr<EngineReport> SessionApplication::openReport(const QString &reportPath)
{
    ReportDefinition definition = m_services.loadDefinition(reportPath);
    auto session = std::make_shared<ReportSession>(m_services, std::move(definition),
                                                   QFileInfo(reportPath).absolutePath());
    return std::make_shared<SessionReport>(ReportNode{session, session->definition(), QString()});
}

} // namespace velmora
