#include "engine/definition/ObjectReader.h"

#include "engine/definition/BorderSides.h"
#include "engine/definition/ChartElementReader.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/FontAttributes.h"
#include "engine/definition/NameCheck.h"
#include "engine/definition/PictureData.h"
#include "engine/definition/PropertyFormulaReader.h"
#include "engine/definition/ReportElementReader.h"
#include "engine/definition/SummaryAttributes.h"

namespace velmora {

using namespace DefinitionErrors;
using Kind = FieldRef::Kind;

namespace {

/// Deeper nesting serves no report and would only let a hostile file
/// exhaust the stack.
constexpr int maximumSubreportDepth = 4;

std::optional<ReportObject::Kind> objectKind(QStringView element)
{
    static constexpr EnumName<ReportObject::Kind> names[] = {
        {ReportObject::Kind::Field, u"field"},     {ReportObject::Kind::Field, u"summary"},
        {ReportObject::Kind::Text, u"text"},       {ReportObject::Kind::Line, u"line"},
        {ReportObject::Kind::Box, u"box"},         {ReportObject::Kind::Picture, u"picture"},
        {ReportObject::Kind::Subreport, u"subreport"}, {ReportObject::Kind::Chart, u"chart"},
        {ReportObject::Kind::CrossTab, u"crossTab"},
    };
    return valueOf(std::span<const EnumName<ReportObject::Kind>>(names), element);
}

BorderSpec readBorderSides(AttributeReader &attributes, BorderSpec border)
{
    const auto sides = attributes.optional(u"border");
    if (!sides)
        return border;
    QString badWord;
    const std::optional<BorderSpec> read = withBorderSides(border, *sides, &badWord);
    if (!read)
        attributes.fail(BadChoice, QStringLiteral("l'atribut «border» de <%1> admet «all» o una llista dels "
                                                  "costats left, top, right i bottom, no «%2».")
                                       .arg(attributes.elementName(), badWord));
    return *read;
}

} // namespace

ObjectReader::ObjectReader(ReaderContext &context, const ReportDefinition &report, QSet<QString> &objectNames)
    : m_context(context), m_walker(context.walker), m_report(report), m_references(report),
      m_crossTabs(context.walker, report), m_objectNames(objectNames)
{
}

ReportObject ObjectReader::read()
{
    const QString element = m_walker.name();
    const auto kind = objectKind(element);
    if (!kind)
        m_walker.failUnknownElement();
    ReportObject object;
    object.kind = *kind;
    object.position = m_walker.position();
    AttributeReader attributes(m_walker);
    readCommon(attributes, object);
    readKindAttributes(attributes, object, element);
    attributes.finish();
    readChildren(object);
    checkComplete(object);
    return object;
}

void ObjectReader::readCommon(AttributeReader &attributes, ReportObject &object)
{
    if (attributes.has(u"name")) {
        object.name = readName(attributes);
        refuseDuplicate(attributes, m_objectNames.contains(object.name), DuplicateObject,
                        QStringLiteral("l'objecte"), object.name);
        m_objectNames.insert(object.name);
    }
    object.rect = QRect(attributes.requiredInteger(u"left", -maximumLength, maximumLength),
                        attributes.requiredInteger(u"top", -maximumLength, maximumLength),
                        attributes.requiredInteger(u"width", 0, maximumLength),
                        attributes.requiredInteger(u"height", 0, maximumLength));
    object.format.suppress = attributes.boolean(u"suppress", false);
}

void ObjectReader::readFrame(AttributeReader &attributes, ObjectFormat &format)
{
    format.background = attributes.optionalColour(u"background");
    format.border = readBorderSides(attributes, format.border);
    format.border.width = attributes.integer(u"borderWidth", format.border.width, 0, maximumLength);
    format.border.color = attributes.colour(u"borderColor", format.border.color);
}

void ObjectReader::readTextFormat(AttributeReader &attributes, ObjectFormat &format)
{
    readFontAttributes(attributes, format.font);
    format.color = attributes.colour(u"color", format.color);
    format.alignment = attributes.choice(u"align", alignmentNames(), HorizontalAlignment::Left);
    format.canGrow = attributes.boolean(u"canGrow", false);
    format.maxLines = attributes.integer(u"maxLines", 0, 0, 10000);
    format.suppressIfDuplicated = attributes.boolean(u"suppressIfDuplicated", false);
    format.valueFormat = attributes.text(u"format");
    readFrame(attributes, format);
}

void ObjectReader::readStroke(AttributeReader &attributes, ReportObject &object)
{
    object.format.color = attributes.colour(u"color", object.format.color);
    object.lineWidth = attributes.integer(u"lineWidth", object.lineWidth, 0, maximumLength);
    object.lineStyle = attributes.choice(u"lineStyle", lineStyleNames(), LineStyle::Solid);
}

void ObjectReader::readKindAttributes(AttributeReader &attributes, ReportObject &object, QStringView element)
{
    switch (object.kind) {
    case ReportObject::Kind::Field:
        object.field = element == QLatin1String("summary")
            ? readSummary(attributes)
            : m_references.field(attributes, u"source",
                                 {Kind::Database, Kind::Formula, Kind::Parameter, Kind::RunningTotal, Kind::Special});
        readTextFormat(attributes, object.format);
        object.link = attributes.text(u"link");
        break;
    case ReportObject::Kind::Text:
        object.text = attributes.required(u"text");
        readTextFormat(attributes, object.format);
        object.link = attributes.text(u"link");
        break;
    case ReportObject::Kind::Line: readStroke(attributes, object); break;
    case ReportObject::Kind::Box:
        readStroke(attributes, object);
        object.format.background = attributes.optionalColour(u"background");
        object.boxFilled = attributes.boolean(u"filled", false);
        break;
    case ReportObject::Kind::Picture:
        readFrame(attributes, object.format);
        readPictureSource(attributes, object);
        object.link = attributes.text(u"link");
        break;
    case ReportObject::Kind::Subreport: readFrame(attributes, object.format); break;
    case ReportObject::Kind::Chart:
        readFrame(attributes, object.format);
        object.chart = ChartElementReader(m_walker, m_report).readAttributes(attributes);
        break;
    case ReportObject::Kind::CrossTab:
        object.crossTab = std::make_shared<CrossTabDefinition>();
        m_crossTabs.readAttributes(attributes, *object.crossTab);
        break;
    }
}

FieldRef ObjectReader::readSummary(AttributeReader &attributes)
{
    FieldRef summary = readSummaryAttributes(attributes, m_references, u"source");
    attributes.required(u"group");
    summary.groupLevel = m_references.groupLevel(attributes, u"group", u"report", -1);
    summary.percentOfLevel = readPercentOf(attributes, m_references, summary);
    return summary;
}

void ObjectReader::readPictureSource(AttributeReader &attributes, ReportObject &object)
{
    const auto file = attributes.optional(u"file");
    if (!file)
        return;
    if (file->trimmed().isEmpty())
        attributes.fail(PictureSource, QStringLiteral("l'atribut «file» de <picture> és buit."));
    object.imagePath = *file;
    object.imageData = loadPictureFile(m_context.baseDir, *file, m_walker, object.position);
}

void ObjectReader::readChildren(ReportObject &object)
{
    bool anyChild = false;
    bool contentSeen = false; // a child after the formulas: data, report or link
    while (m_walker.nextChild()) {
        const QString child = m_walker.name();
        const SourcePosition position = m_walker.position();
        const bool isProperty = child == QLatin1String("property");
        if (child == QLatin1String("suppressWhen") && !anyChild) {
            object.format.suppressFormula = m_walker.readFormula();
        } else if (isProperty && !contentSeen) {
            readPropertyFormula(m_walker, object.kind, object.propertyFormulas);
        } else if (child == QLatin1String("data") && object.kind == ReportObject::Kind::Picture
                   && object.imageData.isEmpty()) {
            object.imageData = decodePictureData(m_walker.readText(), m_walker, position);
        } else if (child == QLatin1String("report") && object.kind == ReportObject::Kind::Subreport
                   && !object.subreport) {
            readSubreportChild(object);
        } else if (child == QLatin1String("link") && object.subreport) {
            object.links.push_back(readSubreportLink(object));
        } else if (child == QLatin1String("series") && object.chart) {
            ChartElementReader(m_walker, m_report).readSeries(*object.chart);
        } else if (object.crossTab && m_crossTabs.readChild(*object.crossTab)) {
        } else if (objectKind(child) || child == QLatin1String("suppressWhen") || child == QLatin1String("data")
                   || child == QLatin1String("report") || child == QLatin1String("link")
                   || child == QLatin1String("series") || isProperty) {
            m_walker.fail(ElementOutOfPlace,
                          QStringLiteral("l'element <%1> no pot anar aquí dins de <%2> (<suppressWhen> va primer, "
                                         "després els <property>; una imatge té un sol origen; un subinforme té un "
                                         "<report> i després els <link>; només un gràfic té <series>).")
                              .arg(child, m_walker.parentName()));
        } else {
            m_walker.failUnknownElement();
        }
        anyChild = true;
        contentSeen = contentSeen || (!isProperty && child != QLatin1String("suppressWhen"));
    }
}

void ObjectReader::readSubreportChild(ReportObject &object)
{
    if (m_context.depth + 1 > maximumSubreportDepth)
        m_walker.fail(NestingTooDeep, QStringLiteral("hi ha subinformes niats a més de %1 nivells.")
                                          .arg(maximumSubreportDepth));
    ReaderContext nested{m_walker, m_context.baseDir, m_context.depth + 1};
    object.subreport = std::make_shared<ReportDefinition>(ReportElementReader(nested).read());
}

SubreportLink ObjectReader::readSubreportLink(const ReportObject &object)
{
    AttributeReader attributes(m_walker);
    SubreportLink link;
    link.position = m_walker.position();
    link.mainField = m_references.field(attributes, u"main", {Kind::Database, Kind::Formula, Kind::Parameter});
    link.subreportField = ReferenceReader(*object.subreport).field(attributes, u"sub", {Kind::Database});
    attributes.finish();
    m_walker.finishEmpty();
    return link;
}

void ObjectReader::checkComplete(const ReportObject &object) const
{
    if (object.kind == ReportObject::Kind::Chart && object.chart)
        ChartElementReader(m_walker, m_report).checkComplete(*object.chart, object.position);
    if (object.kind == ReportObject::Kind::Picture && object.imageData.isEmpty())
        m_walker.failAt(object.position, PictureSource,
                        QStringLiteral("la imatge no té origen: doneu l'atribut «file» o un element <data> amb la "
                                       "imatge en base64."));
    if (object.crossTab)
        m_crossTabs.checkComplete(*object.crossTab, object.position);
    if (object.kind == ReportObject::Kind::Subreport && !object.subreport)
        m_walker.failAt(object.position, MissingElement,
                        QStringLiteral("al subinforme li falta l'element <report> amb la seva definició."));
}

} // namespace velmora
