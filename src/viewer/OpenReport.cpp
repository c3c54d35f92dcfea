#include "viewer/OpenReport.h"

#include "viewer/ViewerErrors.h"

namespace velmora {

std::shared_ptr<EngineReport> requireOpenReport(const std::shared_ptr<EngineReport> &glcrxReport)
{
    if (!glcrxReport)
        throw Failure(ViewerErrors::NoOpenReport, QStringLiteral("No hi ha cap informe obert."));
    return glcrxReport;
}

} // namespace velmora
