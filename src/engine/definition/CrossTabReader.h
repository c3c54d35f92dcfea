#pragma once

#include "engine/definition/AttributeReader.h"
#include "engine/definition/CrossTabDefinition.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/ReferenceReader.h"
#include "engine/definition/XmlWalker.h"

namespace velmora {

/// The words of a cross-tab level's `order`.
std::span<const EnumName<CrossTabOrder>> crossTabOrderNames();

/// Reads what a <crossTab> element holds beyond a report object's common
/// attributes: its own attributes, its <row>, <column> and <cell> children
/// and the styles of its headings, cells and totals.
class CrossTabReader {
public:
    CrossTabReader(XmlWalker &walker, const ReportDefinition &report) : m_walker(walker), m_references(report) {}

    void readAttributes(AttributeReader &attributes, CrossTabDefinition &crossTab);
    /// Reads the walker's current child when it belongs to a cross-tab;
    /// false, reading nothing, when it does not.
    bool readChild(CrossTabDefinition &crossTab);
    /// Refuses a cross-tab without its rows, columns or cells, or with too many.
    void checkComplete(const CrossTabDefinition &crossTab, const SourcePosition &position) const;

private:
    CrossTabLevel readLevel();
    CrossTabSummary readSummary();
    void readStyle(CrossTabStyle &style, bool &seen, bool takesFormulas);

    XmlWalker &m_walker;
    ReferenceReader m_references;
    bool m_headingStyleSeen = false, m_cellStyleSeen = false, m_totalStyleSeen = false;
};

/// Whether a section of this kind may hold a cross-tab: report and group
/// headers and footers.
bool sectionTakesCrossTab(SectionKind kind);

} // namespace velmora
