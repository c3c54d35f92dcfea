#pragma once

#include "engine/definition/ReaderContext.h"
#include "engine/definition/ReferenceReader.h"
#include "engine/definition/ReportDefinition.h"

#include <QSet>

namespace velmora {

/// Reads the <sections> of one report: each section with its options and
/// objects, in report order (report header, page header, group headers from
/// the outermost, details, group footers from the innermost, report footer,
/// page footer), refusing any section out of that order. Sections and
/// objects without a name get one ("Details", "Field3") that no other has.
class SectionListReader {
public:
    /// `report` holds everything declared before the sections.
    SectionListReader(ReaderContext &context, const ReportDefinition &report);

    std::vector<SectionDefinition> read();

private:
    SectionDefinition readSection(SectionKind kind);
    void readSectionChildren(SectionDefinition &section);
    void checkOrder(const SectionDefinition &section) const;
    void nameUnnamed(std::vector<SectionDefinition> &sections) const;

    ReaderContext &m_context;
    const ReportDefinition &m_report;
    ReferenceReader m_references;
    QSet<QString> m_sectionNames;
    QSet<QString> m_objectNames;
    std::optional<SectionDefinition> m_previous;
};

} // namespace velmora
