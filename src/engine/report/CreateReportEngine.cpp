#include "engine/report/CreateReportEngine.h"

#include "engine/seam/SeamErrors.h"

namespace velmora {

namespace {

// Stands in until the engine's objects exist: opening fails plainly.
class UnfinishedApplication : public EngineApplication {
public:
    std::shared_ptr<EngineReport> openReport(const QString &reportPath) override
    {
        throw Failure(SeamErrors::ExportUnavailable,
                      QStringLiteral("El motor d'informes encara no pot obrir %1.").arg(reportPath));
    }
};

class UnfinishedEngine : public ReportEngine {
public:
    std::unique_ptr<EngineApplication> createApplication() override
    {
        return std::make_unique<UnfinishedApplication>();
    }
    ReportViewerControl *createViewerControl(QWidget *) override { return nullptr; }
};

} // namespace

std::unique_ptr<ReportEngine> createReportEngine()
{
    return std::make_unique<UnfinishedEngine>();
}

} // namespace velmora
