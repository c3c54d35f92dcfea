#include "engine/report/ReportSession.h"

#include "engine/seam/SeamErrors.h"

namespace velmora {

ReportSession::ReportSession(EngineServices services, ReportDefinition definition, QString reportDirectory)
    : m_services(std::move(services)),
      m_definition(std::make_shared<const ReportDefinition>(std::move(definition))),
      m_reportDirectory(std::move(reportDirectory))
{
}

void ReportSession::setPageSetup(const PageSetup &page)
{
    auto changed = std::make_shared<ReportDefinition>(*m_definition);
    changed->page = page;
    m_definition = std::move(changed);
}

void ReportSession::setTableLocation(const QString &key, const QString &databasePath)
{
    TableConnection &connection = m_connections[key];
    connection.databasePath = databasePath;
    connection.hasLocation = true;
}

void ReportSession::setTableLogon(const QString &key, const QString &userName, const QString &logonText)
{
    TableConnection &connection = m_connections[key];
    connection.userName = userName;
    connection.password = LogonPassword::fromLogonText(logonText);
    connection.hasLogon = true;
}

TableConnection ReportSession::connection(const QString &key) const
{
    const auto found = m_connections.find(key);
    return found == m_connections.end() ? TableConnection() : found->second;
}

void ReportSession::requireMainTableLocations() const
{
    for (const TableDefinition &table : m_definition->tables)
        if (!connection(table.alias).hasLocation)
            throw Failure(SeamErrors::TableWithoutLocation,
                          QStringLiteral("No s'ha indicat de quina base de dades llegeix la taula %1 de l'informe.")
                              .arg(table.alias));
}

LayoutInput ReportSession::layoutInput() const
{
    requireMainTableLocations();
    LayoutInput input;
    input.definition = m_definition;
    input.reportDirectory = m_reportDirectory;
    for (const auto &[key, connection] : m_connections)
        if (connection.hasLocation)
            input.tables[key] = TableLocation{connection.databasePath, connection.password.databasePassword,
                                              connection.hasLogon};
    return input;
}

ReportLayout ReportSession::layOut() const
{
    ReportLayout layout = m_services.layOut(layoutInput());
    if (!layout.pages)
        throw Failure(SeamErrors::ComponentUnavailable,
                      QStringLiteral("El motor d'informes no ha pogut compondre les pàgines de l'informe."));
    return layout;
}

std::unique_ptr<ProgressMonitor> ReportSession::newProgressMonitor() const
{
    return m_services.newProgressMonitor ? m_services.newProgressMonitor() : nullptr;
}

} // namespace velmora
