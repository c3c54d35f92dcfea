#include "engine/report/ReportSession.h"

#include "engine/layout/FieldPickList.h"
#include "engine/seam/ParameterErrors.h"
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
    m_parameters.requireComplete();
    LayoutInput input;
    input.definition = m_definition;
    input.reportDirectory = m_reportDirectory;
    input.tables = tableLocations();
    input.parameters = m_parameters.values();
    return input;
}

std::map<QString, TableLocation> ReportSession::tableLocations() const
{
    std::map<QString, TableLocation> tables;
    for (const auto &[key, connection] : m_connections)
        if (connection.hasLocation)
            tables[key] = TableLocation{connection.databasePath, connection.password.databasePassword, connection.hasLogon};
    return tables;
}

std::vector<PickValue> ReportSession::choicesOf(const RunParameter &parameter) const
{
    std::vector<PickValue> choices = parameter.definition.pickList;
    if (const auto &field = parameter.definition.listField) {
        try {
            for (PickValue &choice : readFieldPickList(parameter.tableName, field->name, parameter.definition.type,
                                                       parameter.tableKey, tableLocations()))
                choices.push_back(std::move(choice));
        } catch (const Failure &failure) {
            throw Failure(ParameterErrors::PickListUnreadable,
                          QStringLiteral("No s'han pogut llegir els valors del paràmetre «%1» de %2: %3")
                              .arg(parameter.definition.name, field->toText(), failure.description()));
        }
    }
    return choices;
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
