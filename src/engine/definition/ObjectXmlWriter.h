#pragma once

#include "engine/definition/ReportDefinition.h"
#include "engine/definition/XmlOutput.h"

namespace velmora {

class ReportXmlWriter;

/// Writes one report object as its element (<field>, <summary>, <text>,
/// <line>, <box>, <picture>, <subreport>) with the attributes its kind
/// takes; a subreport's definition is written nested inside it.
class ObjectXmlWriter {
public:
    ObjectXmlWriter(XmlOutput &out, ReportXmlWriter &reports) : m_out(out), m_reports(reports) {}

    void write(const ReportObject &object);

private:
    void writeKindAttributes(const ReportObject &object);
    void writeSummary(const FieldRef &summary);
    void writeTextFormat(const ObjectFormat &format);
    void writeFrame(const ObjectFormat &format);
    void writeStroke(const ReportObject &object);
    void writeChildren(const ReportObject &object);

    XmlOutput &m_out;
    ReportXmlWriter &m_reports;
};

} // namespace velmora
