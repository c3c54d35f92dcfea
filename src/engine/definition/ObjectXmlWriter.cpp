#include "engine/definition/ObjectXmlWriter.h"

#include "engine/definition/ChartXmlWriter.h"
#include "engine/definition/BorderSides.h"
#include "engine/definition/CrossTabXmlWriter.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/FontAttributes.h"
#include "engine/definition/SummaryAttributes.h"
#include "engine/definition/ReportXmlWriter.h"

namespace velmora {

namespace {

QString elementName(const ReportObject &object)
{
    switch (object.kind) {
    case ReportObject::Kind::Field:
        return object.field.kind == FieldRef::Kind::Summary ? QStringLiteral("summary") : QStringLiteral("field");
    case ReportObject::Kind::Text: return QStringLiteral("text");
    case ReportObject::Kind::Line: return QStringLiteral("line");
    case ReportObject::Kind::Box: return QStringLiteral("box");
    case ReportObject::Kind::Subreport: return QStringLiteral("subreport");
    case ReportObject::Kind::Picture: return QStringLiteral("picture");
    case ReportObject::Kind::Chart: return QStringLiteral("chart");
    case ReportObject::Kind::CrossTab: return QStringLiteral("crossTab");
    }
    return QString();
}

QString base64Lines(const QByteArray &bytes)
{
    constexpr int lineLength = 76;
    const QByteArray encoded = bytes.toBase64();
    QString text;
    for (qsizetype at = 0; at < encoded.size(); at += lineLength)
        text += u'\n' + QString::fromLatin1(encoded.mid(at, lineLength));
    return text + u'\n';
}

} // namespace

void ObjectXmlWriter::write(const ReportObject &object)
{
    m_out.start(elementName(object));
    m_out.textUnlessEmpty(u"name", object.name);
    m_out.integer(u"left", object.rect.left());
    m_out.integer(u"top", object.rect.top());
    m_out.integer(u"width", object.rect.width());
    m_out.integer(u"height", object.rect.height());
    writeKindAttributes(object);
    m_out.flag(u"suppress", object.format.suppress);
    m_out.textUnlessEmpty(u"link", object.link);
    writeChildren(object);
    m_out.end();
}

void ObjectXmlWriter::writeKindAttributes(const ReportObject &object)
{
    switch (object.kind) {
    case ReportObject::Kind::Field:
        if (object.field.kind == FieldRef::Kind::Summary)
            writeSummary(object.field);
        else
            m_out.text(u"source", object.field.toText());
        writeTextFormat(object.format);
        break;
    case ReportObject::Kind::Text:
        m_out.text(u"text", object.text);
        writeTextFormat(object.format);
        break;
    case ReportObject::Kind::Line: writeStroke(object); break;
    case ReportObject::Kind::Box:
        writeStroke(object);
        m_out.colour(u"background", object.format.background);
        m_out.flag(u"filled", object.boxFilled);
        break;
    case ReportObject::Kind::Picture:
        writeFrame(object.format);
        m_out.textUnlessEmpty(u"file", object.imagePath);
        break;
    case ReportObject::Kind::Subreport: writeFrame(object.format); break;
    case ReportObject::Kind::Chart:
        if (object.chart)
            writeChartAttributes(m_out, *object.chart);
        writeFrame(object.format);
        break;
    case ReportObject::Kind::CrossTab:
        if (object.crossTab)
            writeCrossTabAttributes(m_out, *object.crossTab);
        break;
    }
}

void ObjectXmlWriter::writeSummary(const FieldRef &summary)
{
    writeSummaryAttributes(m_out, summary, u"source");
    m_out.text(u"group", summary.groupLevel < 0 ? QStringLiteral("report") : QString::number(summary.groupLevel + 1));
    if (summary.percentOfLevel != FieldRef::NotPercent)
        m_out.text(u"percentOf", summary.percentOfLevel < 0 ? QStringLiteral("report")
                                                             : QString::number(summary.percentOfLevel + 1));
}

void ObjectXmlWriter::writeTextFormat(const ObjectFormat &format)
{
    const ObjectFormat defaults;
    writeFontAttributes(m_out, format.font);
    m_out.colourUnless(u"color", format.color, defaults.color);
    if (format.alignment != defaults.alignment)
        m_out.text(u"align", nameOf(alignmentNames(), format.alignment));
    m_out.flag(u"canGrow", format.canGrow);
    m_out.integerUnless(u"maxLines", format.maxLines, defaults.maxLines);
    m_out.flag(u"suppressIfDuplicated", format.suppressIfDuplicated);
    m_out.textUnlessEmpty(u"format", format.valueFormat);
    writeFrame(format);
}

void ObjectXmlWriter::writeFrame(const ObjectFormat &format)
{
    const BorderSpec defaults;
    m_out.colour(u"background", format.background);
    m_out.textUnlessEmpty(u"border", borderSidesText(format.border));
    m_out.integerUnless(u"borderWidth", format.border.width, defaults.width);
    m_out.colourUnless(u"borderColor", format.border.color, defaults.color);
}

void ObjectXmlWriter::writeStroke(const ReportObject &object)
{
    const ReportObject defaults;
    m_out.colourUnless(u"color", object.format.color, defaults.format.color);
    m_out.integerUnless(u"lineWidth", object.lineWidth, defaults.lineWidth);
    if (object.lineStyle != defaults.lineStyle)
        m_out.text(u"lineStyle", nameOf(lineStyleNames(), object.lineStyle));
}

void ObjectXmlWriter::writeChildren(const ReportObject &object)
{
    m_out.formula(u"suppressWhen", object.format.suppressFormula);
    m_out.propertyFormulas(object.propertyFormulas);
    if (object.kind == ReportObject::Kind::Picture && object.imagePath.isEmpty()) {
        m_out.start(u"data");
        m_out.xml().writeCharacters(base64Lines(object.imageData));
        m_out.end();
    }
    if (object.kind == ReportObject::Kind::Chart && object.chart)
        writeChartSeries(m_out, *object.chart);
    if (object.kind == ReportObject::Kind::Subreport && object.subreport) {
        m_reports.writeReport(*object.subreport, false);
        for (const SubreportLink &link : object.links) {
            m_out.start(u"link");
            m_out.text(u"main", link.mainField.toText());
            m_out.text(u"sub", link.subreportField.toText());
            m_out.end();
        }
    }
    if (object.kind == ReportObject::Kind::CrossTab && object.crossTab)
        writeCrossTabChildren(m_out, *object.crossTab);
}

} // namespace velmora
