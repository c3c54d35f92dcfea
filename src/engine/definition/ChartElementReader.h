#pragma once

#include "engine/definition/AttributeReader.h"
#include "engine/definition/ReferenceReader.h"

namespace velmora {

/// Reads a <chart>'s own attributes (what it shows and how) and its
/// <series> children, and checks that they fit together
/// (docs/report-format.md, "<chart>").
class ChartElementReader {
public:
    ChartElementReader(XmlWalker &walker, const ReportDefinition &report) : m_walker(walker), m_references(report), m_report(report) {}

    std::shared_ptr<ChartDefinition> readAttributes(AttributeReader &attributes) const;
    /// The walker's current element is a <series> of `chart`.
    void readSeries(ChartDefinition &chart) const;
    /// Once every child is read: the series the kind of data needs.
    void checkComplete(const ChartDefinition &chart, SourcePosition position) const;

private:
    void readKind(AttributeReader &attributes, ChartDefinition &chart) const;
    void readData(AttributeReader &attributes, ChartDefinition &chart) const;
    void readLooks(AttributeReader &attributes, ChartDefinition &chart) const;
    std::vector<QRgb> readPalette(AttributeReader &attributes) const;

    XmlWalker &m_walker;
    ReferenceReader m_references;
    const ReportDefinition &m_report;
};

/// Refuses a chart outside the report's and the groups' headers and
/// footers, or one whose categories are not groups inside its section's
/// group.
void checkChartPlace(const SectionDefinition &section, const ReportObject &object, const XmlWalker &walker);

} // namespace velmora
