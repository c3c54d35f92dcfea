#include "app/ReportOpening.h"

namespace velmora {

ReportOpening::ReportOpening(ReportEngine &engine) : m_engine(engine) {}

std::shared_ptr<EngineReport> ReportOpening::openReport(const QString &reportPath)
{
    m_application = m_engine.createApplication();
    return hold(m_application->openReport(reportPath));
}

void ReportOpening::pointTablesAt(EngineReport &report, const QString &databasePath,
                                  const std::function<QString()> &logOnText)
{
    for (const auto &table : tablesOf(report)) {
        table->setLocation(databasePath);
        table->setLogOnInfo(QString(), logOnText());
    }
}

void ReportOpening::pointSubreportTablesAt(EngineReport &report, const QString &databasePath)
{
    for (const auto &section : holdAll(report.sections()))
        for (const auto &object : holdAll(section->reportObjects()))
            if (isSubreportObject(*object))
                pointTablesOfSubreport(*object, databasePath);
}

void ReportOpening::pointTablesOfSubreport(EngineReportObject &subreportObject,
                                           const QString &databasePath)
{
    const auto subreport = hold(hold(subreportObject.asSubreportObject())->openSubreport());
    for (const auto &table : tablesOf(*subreport))
        table->setLocation(databasePath);
}

std::vector<std::shared_ptr<EngineTable>> ReportOpening::tablesOf(EngineReport &report)
{
    return holdAll(hold(report.database())->tables());
}

bool ReportOpening::isSubreportObject(const EngineReportObject &object)
{
    return object.property(QStringLiteral("Kind")).toInt() == int(ReportObjectKind::Subreport);
}

} // namespace velmora
