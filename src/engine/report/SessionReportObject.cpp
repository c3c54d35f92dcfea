#include "engine/report/SessionReportObject.h"

#include "engine/report/SessionSubreportObject.h"
#include "engine/seam/SeamErrors.h"

namespace velmora {

SessionReportObject::SessionReportObject(ReportNode node, const ReportObject &object)
    : m_node(std::move(node)), m_object(&object)
{
}

QVariant SessionReportObject::property(const QString &propertyName) const
{
    if (propertyName.compare(u"Kind", Qt::CaseInsensitive) == 0)
        return static_cast<int>(m_object->kind);
    if (propertyName.compare(u"Name", Qt::CaseInsensitive) == 0)
        return m_object->name;
    throw Failure(SeamErrors::UnknownProperty,
                  QStringLiteral("L'objecte %1 de l'informe no té cap propietat anomenada \"%2\".")
                      .arg(m_object->name, propertyName));
}

std::shared_ptr<EngineSubreportObject> SessionReportObject::asSubreportObject()
{
    if (m_object->kind != ReportObject::Kind::Subreport)
        throw Failure(SeamErrors::NotASubreport,
                      QStringLiteral("L'objecte %1 de l'informe no és un subinforme.").arg(m_object->name));
    return std::make_shared<SessionSubreportObject>(m_node, *m_object);
}

} // namespace velmora
