#pragma once

#include "engine/report/EngineServices.h"

namespace velmora {

/// Opens report files. Each report opened is independent of the others and
/// of the application, which may be released before its reports.
class SessionApplication : public EngineApplication {
public:
    explicit SessionApplication(EngineServices services) : m_services(std::move(services)) {}
    std::shared_ptr<EngineReport> openReport(const QString &reportPath) override;

private:
    EngineServices m_services;
};

} // namespace velmora
