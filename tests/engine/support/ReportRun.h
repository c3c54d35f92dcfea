#pragma once

#include "engine/page/PageSource.h"
#include "engine/seam/ReportEngine.h"

#include <QString>

#include <memory>
#include <optional>

namespace velmora::testing {

/// A report opened through the seam as the windows open it: every table,
/// and every table of its first-level subreports, pointed at one database.
/// Keeps the engine and the application alive as long as the report.
class ReportRun {
public:
    /// Opens `reportPath` over `databasePath`; a password, when given, is
    /// logged on for the main report's tables. Throws Failure.
    ReportRun(const QString &reportPath, const QString &databasePath,
              const std::optional<QString> &password = std::nullopt);
    ~ReportRun();

    EngineReport &report() { return *m_report; }

    /// The report laid out to its last page. Throws Failure.
    std::shared_ptr<PageSource> layOutAll();

    /// Writes the report as `formatType` to `path` (PDF options 2 and 2, as
    /// the windows set them). Throws Failure.
    void exportTo(qint32 formatType, const QString &path);

private:
    std::unique_ptr<ReportEngine> m_engine;
    std::unique_ptr<EngineApplication> m_application;
    std::shared_ptr<EngineReport> m_report;
};

/// Paths of the sample reports and of the data fixtures.
QString exampleReport(const QString &name);

} // namespace velmora::testing
