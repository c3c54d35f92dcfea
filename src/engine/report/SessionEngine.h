#pragma once

#include "engine/report/EngineServices.h"

namespace velmora {

/// The real engine behind the seam: applications that open report files,
/// and the viewer control.
class SessionEngine : public ReportEngine {
public:
    explicit SessionEngine(EngineServices services) : m_services(std::move(services)) {}
    std::unique_ptr<EngineApplication> createApplication() override;
    ReportViewerControl *createViewerControl(QWidget *parent) override;

private:
    EngineServices m_services;
};

} // namespace velmora
