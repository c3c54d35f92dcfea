#include "engine/definition/SectionListReader.h"

#include "engine/definition/AttributeReader.h"
#include "engine/definition/ChartElementReader.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/NameCheck.h"
#include "engine/definition/CrossTabReader.h"
#include "engine/definition/ObjectReader.h"
#include "engine/definition/PropertyFormulaReader.h"

namespace velmora {

using namespace DefinitionErrors;

namespace {

bool isGroupSection(SectionKind kind)
{
    return kind == SectionKind::GroupHeader || kind == SectionKind::GroupFooter;
}

QString sectionWords(const SectionDefinition &section)
{
    const QString element = QLatin1Char('<') + nameOf(sectionElementNames(), section.kind);
    if (isGroupSection(section.kind))
        return element + QStringLiteral(" group=\"%1\">").arg(section.groupLevel + 1);
    return element + u'>';
}

/// Whether `later` may follow `earlier` in a report's list of sections.
bool inReportOrder(const SectionDefinition &earlier, const SectionDefinition &later)
{
    if (earlier.kind != later.kind)
        return earlier.kind < later.kind;
    if (later.kind == SectionKind::GroupHeader)
        return earlier.groupLevel <= later.groupLevel;
    if (later.kind == SectionKind::GroupFooter)
        return earlier.groupLevel >= later.groupLevel;
    return true;
}

/// "Details", then "Details_2", "Details_3" for further parts.
QString partName(const QString &base, const QSet<QString> &used)
{
    QString candidate = base;
    for (int part = 2; used.contains(candidate); ++part)
        candidate = base + u'_' + QString::number(part);
    return candidate;
}

/// "Field1", "Field2"...
QString numberedName(const QString &base, const QSet<QString> &used)
{
    QString candidate;
    for (int number = 1; candidate.isEmpty() || used.contains(candidate); ++number)
        candidate = base + QString::number(number);
    return candidate;
}

QString objectBaseName(const ReportObject &object)
{
    switch (object.kind) {
    case ReportObject::Kind::Field:
        return object.field.kind == FieldRef::Kind::Summary ? QStringLiteral("Summary") : QStringLiteral("Field");
    case ReportObject::Kind::Text: return QStringLiteral("Text");
    case ReportObject::Kind::Line: return QStringLiteral("Line");
    case ReportObject::Kind::Box: return QStringLiteral("Box");
    case ReportObject::Kind::Subreport: return QStringLiteral("Subreport");
    case ReportObject::Kind::Picture: return QStringLiteral("Picture");
    case ReportObject::Kind::Chart: return QStringLiteral("Chart");
    case ReportObject::Kind::CrossTab: return QStringLiteral("CrossTab");
    }
    return QString();
}

} // namespace

SectionListReader::SectionListReader(ReaderContext &context, const ReportDefinition &report)
    : m_context(context), m_report(report), m_references(report)
{
}

std::vector<SectionDefinition> SectionListReader::read()
{
    std::vector<SectionDefinition> sections;
    XmlWalker &walker = m_context.walker;
    while (walker.nextChild()) {
        const auto kind = valueOf(sectionElementNames(), walker.name());
        if (!kind)
            walker.failUnknownElement();
        sections.push_back(readSection(*kind));
    }
    nameUnnamed(sections);
    return sections;
}

SectionDefinition SectionListReader::readSection(SectionKind kind)
{
    XmlWalker &walker = m_context.walker;
    AttributeReader attributes(walker);
    SectionDefinition section;
    section.kind = kind;
    section.position = walker.position();
    if (attributes.has(u"name")) {
        section.name = readName(attributes);
        refuseDuplicate(attributes, m_sectionNames.contains(section.name), DuplicateSection,
                        QStringLiteral("la secció"), section.name);
        m_sectionNames.insert(section.name);
    }
    if (isGroupSection(kind)) {
        attributes.required(u"group");
        section.groupLevel = m_references.groupLevel(attributes, u"group", {}, -1);
    }
    section.height = attributes.requiredInteger(u"height", 0, maximumLength);
    section.background = attributes.optionalColour(u"background");
    SectionOptions &options = section.options;
    options.suppress = attributes.boolean(u"suppress", false);
    options.newPageBefore = attributes.boolean(u"newPageBefore", false);
    options.newPageAfter = attributes.boolean(u"newPageAfter", false);
    options.keepTogether = attributes.boolean(u"keepTogether", false);
    options.suppressBlank = attributes.boolean(u"suppressBlank", false);
    attributes.finish();
    checkOrder(section);
    m_previous = section;
    readSectionChildren(section);
    return section;
}

void SectionListReader::readSectionChildren(SectionDefinition &section)
{
    XmlWalker &walker = m_context.walker;
    ObjectReader objects(m_context, m_report, m_objectNames);
    while (walker.nextChild()) {
        if (walker.name() == QLatin1String("suppressWhen") && section.objects.empty()
            && section.options.suppressFormula.text.isEmpty()) {
            section.options.suppressFormula = walker.readFormula();
            continue;
        }
        if (walker.name() == QLatin1String("property") && section.objects.empty()) {
            readPropertyFormula(walker, std::nullopt, section.propertyFormulas);
            continue;
        }
        section.objects.push_back(objects.read());
        checkChartPlace(section, section.objects.back(), walker);
        const ReportObject &object = section.objects.back();
        if (object.kind == ReportObject::Kind::CrossTab && !sectionTakesCrossTab(section.kind))
            walker.failAt(object.position, CrossTabPlacement,
                          QStringLiteral("una taula creuada va a la capçalera o al peu de l'informe o d'un grup, no "
                                         "a %1.")
                              .arg(sectionWords(section)));
    }
}

void SectionListReader::checkOrder(const SectionDefinition &section) const
{
    if (!m_previous || inReportOrder(*m_previous, section))
        return;
    m_context.walker.fail(SectionOutOfOrder,
                          QStringLiteral("la secció %1 no pot anar després de %2. Les seccions van en l'ordre de "
                                         "l'informe: reportHeader, pageHeader, groupHeader (del grup 1, el més "
                                         "extern, a l'últim), details, groupFooter (de l'últim grup al grup 1), "
                                         "reportFooter, pageFooter.")
                              .arg(sectionWords(section), sectionWords(*m_previous)));
}

void SectionListReader::nameUnnamed(std::vector<SectionDefinition> &sections) const
{
    QSet<QString> sectionNames = m_sectionNames;
    QSet<QString> objectNames = m_objectNames;
    for (SectionDefinition &section : sections) {
        if (section.name.isEmpty()) {
            QString base = nameOf(sectionElementNames(), section.kind);
            base[0] = base[0].toUpper();
            if (isGroupSection(section.kind))
                base += QString::number(section.groupLevel + 1);
            section.name = partName(base, sectionNames);
            sectionNames.insert(section.name);
        }
        for (ReportObject &object : section.objects) {
            if (!object.name.isEmpty())
                continue;
            object.name = numberedName(objectBaseName(object), objectNames);
            objectNames.insert(object.name);
        }
    }
}

} // namespace velmora
