#include "engine/report/SessionSection.h"

#include "engine/report/SessionReportObject.h"

namespace velmora {

SessionSection::SessionSection(ReportNode node, std::size_t sectionIndex)
    : m_node(std::move(node)), m_sectionIndex(sectionIndex)
{
}

const SectionDefinition &SessionSection::section() const
{
    return m_node.definition->sections.at(m_sectionIndex);
}

QString SessionSection::name() const
{
    return section().name;
}

std::vector<std::shared_ptr<EngineReportObject>> SessionSection::reportObjects()
{
    std::vector<std::shared_ptr<EngineReportObject>> objects;
    for (const ReportObject &object : section().objects)
        objects.push_back(std::make_shared<SessionReportObject>(m_node, object));
    return objects;
}

} // namespace velmora
