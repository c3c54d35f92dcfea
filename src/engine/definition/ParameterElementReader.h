#pragma once

#include "engine/definition/AttributeReader.h"
#include "engine/definition/ReferenceReader.h"
#include "engine/definition/ReportDefinition.h"
#include "engine/definition/XmlWalker.h"

namespace velmora {

/// Reads one <parameter> element: its attributes, its pick list of
/// <choice> children, and a default that must fit both.
class ParameterElementReader {
public:
    ParameterElementReader(XmlWalker &walker, const ReportDefinition &report, const ReferenceReader &references)
        : m_walker(walker), m_report(report), m_references(references) {}

    ParameterDefinition read();

private:
    void readAttributes(AttributeReader &attributes, ParameterDefinition &parameter);
    void readChoices(ParameterDefinition &parameter);
    /// The default is checked once the pick list is known; a fault in it is placed at the <parameter> element.
    void checkDefault(SourcePosition position, ParameterDefinition &parameter, const QString &text);

    XmlWalker &m_walker;
    const ReportDefinition &m_report;
    const ReferenceReader &m_references;
};

} // namespace velmora
