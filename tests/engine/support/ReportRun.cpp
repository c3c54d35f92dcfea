#include "ReportRun.h"

#include "TestData.h"
#include "engine/report/CreateReportEngine.h"

namespace velmora::testing {

namespace {
constexpr int subreportKind = static_cast<int>(ReportObjectKind::Subreport);
constexpr qint32 windowsPdfOption = 2;

void pointTables(EngineReport &report, const QString &databasePath, const std::optional<QString> &password)
{
    for (const auto &table : report.database()->tables()) {
        table->setLocation(databasePath);
        if (password)
            table->setLogOnInfo(QString(), u'\n' + *password);
    }
}

void pointSubreportTables(EngineReport &report, const QString &databasePath)
{
    for (const auto &section : report.sections())
        for (const auto &object : section->reportObjects())
            if (object->property(QStringLiteral("Kind")).toInt() == subreportKind)
                pointTables(*object->asSubreportObject()->openSubreport(), databasePath, std::nullopt);
}
} // namespace

ReportRun::ReportRun(const QString &reportPath, const QString &databasePath,
                     const std::optional<QString> &password)
    : m_engine(createReportEngine())
    , m_application(m_engine->createApplication())
    , m_report(m_application->openReport(reportPath))
{
    pointTables(*m_report, databasePath, password);
    pointSubreportTables(*m_report, databasePath);
}

ReportRun::~ReportRun() = default;

std::shared_ptr<PageSource> ReportRun::layOutAll()
{
    auto source = m_report->createPageSource();
    source->layOutUntil(-1, CancelToken());
    return source;
}

void ReportRun::exportTo(qint32 formatType, const QString &path)
{
    const auto options = m_report->exportOptions();
    options->setFormatType(formatType);
    if (formatType == ExportFormat::PDF) {
        options->setPdfFirstOption(windowsPdfOption);
        options->setPdfSecondOption(windowsPdfOption);
    }
    options->setDestinationType(ExportDestination::DiskFile);
    options->setDiskFileName(path);
    m_report->exportReport(false);
}

QString exampleReport(const QString &name)
{
    return sourcePath(QStringLiteral("examples/") + name);
}

} // namespace velmora::testing
