#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/definition/XmlOutput.h"

namespace velmora {

/// Writes one report, the main one or a subreport, as a <report> element
/// with its children in the format's fixed order. Values equal to their
/// defaults are left out, so the file shows what the report sets.
class ReportXmlWriter {
public:
    explicit ReportXmlWriter(XmlOutput &out) : m_out(out) {}

    void writeReport(const ReportDefinition &report, bool isMainReport);

private:
    void writePage(const PageSetup &page, bool isMainReport);
    void writeTables(const ReportDefinition &report);
    void writeLinks(const ReportDefinition &report);
    void writeParameters(const ReportDefinition &report);
    void writeChoices(const ParameterDefinition &parameter);
    void writeFormulas(const ReportDefinition &report);
    void writeSorts(const ReportDefinition &report);
    void writeGroups(const ReportDefinition &report);
    void writeRank(const GroupRanking &ranking);
    void writeRunningTotals(const ReportDefinition &report);
    void writeSections(const ReportDefinition &report);
    void writeSection(const SectionDefinition &section);

    XmlOutput &m_out;
};

} // namespace velmora
