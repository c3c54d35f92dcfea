#pragma once

// Drives a report through the engine's seam exactly as the windows do, and
// hands back the failure the user would see instead of throwing it.

#include "engine/page/PageSource.h"
#include "engine/seam/ReportEngine.h"

#include <QString>

#include <optional>

namespace velmora::testing {

struct SeamJob {
    QString reportPath;
    QString databasePath;
    /// Given through the tables' log-on, after the line feed.
    std::optional<QString> databasePassword;
    /// Empty: the report is only laid out, as the viewer would.
    QString exportPath;
    qint32 formatType = ExportFormat::Text;
};

inline void pointTables(EngineReport &report, const SeamJob &job)
{
    for (const auto &table : report.database()->tables()) {
        table->setLocation(job.databasePath);
        if (job.databasePassword)
            table->setLogOnInfo(QString(), u'\n' + *job.databasePassword);
    }
}

inline void exportOrLayOut(EngineReport &report, const SeamJob &job)
{
    if (job.exportPath.isEmpty()) {
        report.createPageSource()->layOutUntil(-1, CancelToken());
        return;
    }
    const auto options = report.exportOptions();
    options->setFormatType(job.formatType);
    options->setDestinationType(ExportDestination::DiskFile);
    options->setDiskFileName(job.exportPath);
    report.exportReport(false);
}

inline std::optional<Failure> runThroughSeam(ReportEngine &engine, const SeamJob &job)
{
    try {
        const auto application = engine.createApplication();
        const auto report = application->openReport(job.reportPath);
        pointTables(*report, job);
        exportOrLayOut(*report, job);
    } catch (const Failure &failure) {
        return failure;
    }
    return std::nullopt;
}

} // namespace velmora::testing
