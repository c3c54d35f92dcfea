#pragma once

#include "engine/definition/AttributeReader.h"
#include "engine/definition/CrossTabReader.h"
#include "engine/definition/ReaderContext.h"
#include "engine/definition/ReferenceReader.h"
#include "engine/definition/ReportDefinition.h"

#include <QSet>

namespace velmora {

/// Reads one report object element of a section (<field>, <summary>,
/// <text>, <line>, <box>, <picture>, <subreport>, <crossTab>) with the attributes its
/// kind takes, checking its references against the report and its name
/// against the other objects' names.
class ObjectReader {
public:
    ObjectReader(ReaderContext &context, const ReportDefinition &report, QSet<QString> &objectNames);

    /// The walker's current element is the object's element.
    ReportObject read();

private:
    void readCommon(AttributeReader &attributes, ReportObject &object);
    void readFrame(AttributeReader &attributes, ObjectFormat &format);
    void readTextFormat(AttributeReader &attributes, ObjectFormat &format);
    void readStroke(AttributeReader &attributes, ReportObject &object);
    void readKindAttributes(AttributeReader &attributes, ReportObject &object, QStringView element);
    FieldRef readSummary(AttributeReader &attributes);
    void readChildren(ReportObject &object);
    void readPictureSource(AttributeReader &attributes, ReportObject &object);
    void readSubreportChild(ReportObject &object);
    SubreportLink readSubreportLink(const ReportObject &object);
    void checkComplete(const ReportObject &object) const;

    ReaderContext &m_context;
    XmlWalker &m_walker;
    const ReportDefinition &m_report;
    ReferenceReader m_references;
    CrossTabReader m_crossTabs;
    QSet<QString> &m_objectNames;
};

} // namespace velmora
