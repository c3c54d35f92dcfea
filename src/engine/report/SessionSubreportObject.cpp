#include "engine/report/SessionSubreportObject.h"

#include "engine/report/SessionReport.h"
#include "engine/seam/SeamErrors.h"

namespace velmora {

SessionSubreportObject::SessionSubreportObject(ReportNode node, const ReportObject &object)
    : m_node(std::move(node)), m_object(&object)
{
}

std::shared_ptr<EngineReport> SessionSubreportObject::openSubreport()
{
    if (!m_object->subreport)
        throw Failure(SeamErrors::NotASubreport,
                      QStringLiteral("El subinforme %1 no té cap informe a dins.").arg(m_object->name));
    ReportNode nested{m_node.session, m_object->subreport, m_node.keyPrefix + m_object->name + u'/'};
    return std::make_shared<SessionReport>(std::move(nested));
}

} // namespace velmora
