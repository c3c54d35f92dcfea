#include "engine/report/SessionDatabase.h"

#include "engine/report/SessionTable.h"

namespace velmora {

std::vector<std::shared_ptr<EngineTable>> SessionDatabase::tables()
{
    std::vector<std::shared_ptr<EngineTable>> tables;
    for (const TableDefinition &table : m_node.definition->tables)
        tables.push_back(std::make_shared<SessionTable>(m_node.session, table.name, m_node.keyPrefix + table.alias));
    return tables;
}

} // namespace velmora
