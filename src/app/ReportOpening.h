#pragma once

#include "engine/seam/ReportEngine.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace velmora {

/// One view request's work with the engine: a new application object opens
/// the report, the report's tables are pointed at the database and logged
/// on, and the tables of the subreports placed in its sections are pointed
/// at the same database.
///
/// Every engine object obtained on the way (application, databases,
/// tables, sections, report objects, subreports) is held until this object
/// is destroyed. The view command keeps it until the viewer window has
/// closed, so nothing the engine handed out is released while the report
/// they configured is on screen.
class ReportOpening {
public:
    explicit ReportOpening(ReportEngine &engine);
    ReportOpening(const ReportOpening &) = delete;
    ReportOpening &operator=(const ReportOpening &) = delete;

    /// Creates the application object and opens the report with it, the
    /// open mode left to the engine.
    std::shared_ptr<EngineReport> openReport(const QString &reportPath);

    /// For each table in order: its location, then its logon with an empty
    /// user name and the text `logOnText` gives at that moment.
    void pointTablesAt(EngineReport &report, const QString &databasePath,
                       const std::function<QString()> &logOnText);

    /// The tables of every subreport object in the report's own sections
    /// get the location and no logon; subreports inside subreports are not
    /// visited.
    void pointSubreportTablesAt(EngineReport &report, const QString &databasePath);

private:
    std::vector<std::shared_ptr<EngineTable>> tablesOf(EngineReport &report);
    void pointTablesOfSubreport(EngineReportObject &subreportObject, const QString &databasePath);
    static bool isSubreportObject(const EngineReportObject &object);

    template<typename Object>
    std::shared_ptr<Object> hold(std::shared_ptr<Object> object)
    {
        m_held.push_back(object);
        return object;
    }
    template<typename Object>
    std::vector<std::shared_ptr<Object>> holdAll(std::vector<std::shared_ptr<Object>> objects)
    {
        m_held.insert(m_held.end(), objects.begin(), objects.end());
        return objects;
    }

    ReportEngine &m_engine;
    std::unique_ptr<EngineApplication> m_application;
    /// Declared after the application so that they are released before it.
    std::vector<std::shared_ptr<const void>> m_held;
};

} // namespace velmora
