#include "engine/report/SessionEngine.h"

#include "engine/report/SessionApplication.h"

namespace velmora {

std::unique_ptr<EngineApplication> SessionEngine::createApplication()
{
    return std::make_unique<SessionApplication>(m_services);
}

ReportViewerControl *SessionEngine::createViewerControl(QWidget *parent)
{
    return m_services.newViewerControl(parent);
}

} // namespace velmora
