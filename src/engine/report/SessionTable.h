#pragma once

#include "engine/report/ReportSession.h"

namespace velmora {

/// One table of a report or subreport; what it is told goes into the shared
/// session under the table's layout key.
class SessionTable : public EngineTable {
public:
    SessionTable(std::shared_ptr<ReportSession> session, QString name, QString key);

    QString name() const override { return m_name; }
    void setLocation(const QString &databasePath) override;
    void setLogOnInfo(const QString &userName, const QString &password) override;

private:
    std::shared_ptr<ReportSession> m_session;
    QString m_name;
    QString m_key;
};

} // namespace velmora
