#include "engine/report/CreateReportEngine.h"

#include "engine/report/SessionEngine.h"

namespace velmora {

std::unique_ptr<ReportEngine> createReportEngine()
{
    return createReportEngine(EngineServices::standard());
}

std::unique_ptr<ReportEngine> createReportEngine(EngineServices services)
{
    return std::make_unique<SessionEngine>(std::move(services));
}

} // namespace velmora
