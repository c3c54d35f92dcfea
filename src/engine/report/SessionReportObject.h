#pragma once

#include "engine/report/ReportNode.h"

namespace velmora {

/// One report object of a section. Its properties are read by name, as
/// callers that handle objects without a fixed type do; names are matched
/// without regard to case. Known names: "Kind" (the ReportObjectKind as an
/// int) and "Name".
class SessionReportObject : public EngineReportObject {
public:
    /// `object` lives in `node.definition`, which this object keeps alive.
    SessionReportObject(ReportNode node, const ReportObject &object);

    QString name() const override { return m_object->name; }
    QVariant property(const QString &propertyName) const override;
    std::shared_ptr<EngineSubreportObject> asSubreportObject() override;

private:
    ReportNode m_node;
    const ReportObject *m_object;
};

} // namespace velmora
