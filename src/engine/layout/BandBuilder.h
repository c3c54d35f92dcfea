#pragma once

#include "engine/layout/Band.h"
#include "engine/layout/ObjectLook.h"
#include "engine/layout/RecordContext.h"
#include "engine/layout/ReportPlan.h"
#include "engine/layout/TextMeasurer.h"

#include <QImage>

#include <functional>
#include <map>

namespace velmora {

/// Lays out the bands that a subreport object shows for the record the
/// context stands on, at the object's width.
using SubreportBands = std::function<std::vector<Band>(const ReportObject &object, const ObjectPlan &plan,
                                                       RecordContext &context, TextMeasurer &measurer)>;

/// Turns a section, on the record the context stands on, into a band: it
/// works out suppression, formats every value, breaks growing text into
/// lines and grows the section to hold them.
class BandBuilder {
public:
    BandBuilder(const ReportPlan &plan, RecordContext &context, TextMeasurer &measurer, SubreportBands subreports);

    /// With `withItems` false only the height and the flags are worked out,
    /// as counting pages needs; sections that cannot grow then cost nothing.
    Band build(int sectionIndex, bool withItems);

    /// The text a field or text object shows, or nullopt when it is
    /// suppressed.
    std::optional<QString> objectText(const ReportObject &object, const ObjectPlan &plan, Value *rawValue);
    std::optional<QString> objectText(const ReportObject &object, const ObjectPlan &plan, const QString &valueFormat,
                                      Value *rawValue);

private:
    bool objectSuppressed(const ReportObject &object, const ObjectPlan &plan);
    bool duplicatesPrevious(const ObjectPlan &plan, const Value &value);
    QString pieceText(const ObjectPlan::Piece &piece, const QString &format, Value *rawValue);
    Twips placeTextObject(const ReportObject &object, const ObjectPlan &plan, Band &band, bool withItems,
                          bool &shown);
    Twips placeText(const ReportObject &object, const ObjectPlan &plan, const ObjectLook &look, const QString &text,
                    const Value &raw, Band &band, bool withItems);
    void placeDecorations(const ReportObject &object, const ObjectPlan &plan, const ObjectLook &look, Twips height,
                          Band &band);
    void placeShape(const ReportObject &object, const ObjectPlan &plan, Band &band);
    std::optional<QRgb> sectionBackground(const SectionDefinition &section, const SectionPlan &plan);
    Twips placeSubreport(const ReportObject &object, const ObjectPlan &plan, Band &band);
    Twips placeCrossTab(const ReportObject &object, const ObjectPlan &plan, const SectionDefinition &section,
                        Band &band);

    const ReportPlan &m_plan;
    RecordContext &m_context;
    TextMeasurer &m_measurer;
    SubreportBands m_subreports;
};

} // namespace velmora
