#include "engine/report/SessionTable.h"

namespace velmora {

SessionTable::SessionTable(std::shared_ptr<ReportSession> session, QString name, QString key)
    : m_session(std::move(session)), m_name(std::move(name)), m_key(std::move(key))
{
}

void SessionTable::setLocation(const QString &databasePath)
{
    m_session->setTableLocation(m_key, databasePath);
}

void SessionTable::setLogOnInfo(const QString &userName, const QString &password)
{
    m_session->setTableLogon(m_key, userName, password);
}

} // namespace velmora
