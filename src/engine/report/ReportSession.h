#pragma once

#include "engine/report/EngineServices.h"
#include "engine/report/ReportParameters.h"
#include "engine/report/ReportPrinter.h"
#include "engine/report/SessionExportOptions.h"
#include "engine/report/TableConnection.h"

#include <map>
#include <memory>

namespace velmora {

/// Everything one opened report holds, shared by the report and by every
/// subreport opened from it: the definition, where each table reads, the
/// export options and the printer. Tables are keyed as the layout input keys
/// them: the alias for the main report, "<subreport object>/<alias>" for a
/// subreport's, so settings made through a subreport reach the main layout.
class ReportSession {
    Q_DISABLE_COPY_MOVE(ReportSession)
public:
    ReportSession(EngineServices services, ReportDefinition definition, QString reportDirectory);

    const EngineServices &services() const { return m_services; }

    /// The current definition; a new object after every page setup change,
    /// so a page source laid out earlier never sees it change underneath.
    std::shared_ptr<const ReportDefinition> definition() const { return m_definition; }
    void setPageSetup(const PageSetup &page);

    void setTableLocation(const QString &key, const QString &databasePath);
    void setTableLogon(const QString &key, const QString &userName, const QString &logonText);
    /// What the table under `key` has been told; a default when nothing yet.
    TableConnection connection(const QString &key) const;

    /// The layout engine's input. Fails when a mandatory parameter has no
    /// value, or when a table of the main report has not been told where to read: a report has no database of its own to
    /// fall back on. Subreport tables without a location are left out; the
    /// layout engine decides what they read.
    LayoutInput layoutInput() const;
    ReportLayout layOut() const;

    /// Who shows the progress of the next export or print run; may be null.
    std::unique_ptr<ProgressMonitor> newProgressMonitor() const;

    ReportParameters &parameters() { return m_parameters; }
    const ReportParameters &parameters() const { return m_parameters; }
    /// The choices of a parameter's pick list now: the report's own, then
    /// the distinct values of its database field. Throws Failure.
    std::vector<PickValue> choicesOf(const RunParameter &parameter) const;

    std::shared_ptr<SessionExportOptions> exportOptions() const { return m_exportOptions; }
    ReportPrinter &printer() { return m_printer; }
    const ReportPrinter &printer() const { return m_printer; }

private:
    void requireMainTableLocations() const;
    std::map<QString, TableLocation> tableLocations() const;

    EngineServices m_services;
    std::shared_ptr<const ReportDefinition> m_definition;
    QString m_reportDirectory;
    std::map<QString, TableConnection> m_connections;
    ReportParameters m_parameters{*m_definition};
    std::shared_ptr<SessionExportOptions> m_exportOptions = std::make_shared<SessionExportOptions>();
    ReportPrinter m_printer{m_services};
};

} // namespace velmora
