#include "engine/definition/CrossTabReader.h"

#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/FontAttributes.h"
#include "engine/definition/PropertyFormulaReader.h"
#include "engine/definition/SummaryAttributes.h"

namespace velmora {

using namespace DefinitionErrors;
using Kind = FieldRef::Kind;

std::span<const EnumName<CrossTabOrder>> crossTabOrderNames()
{
    static constexpr EnumName<CrossTabOrder> names[] = {
        {CrossTabOrder::Ascending, u"ascending"},
        {CrossTabOrder::Descending, u"descending"},
        {CrossTabOrder::TotalAscending, u"totalAscending"},
        {CrossTabOrder::TotalDescending, u"totalDescending"},
    };
    return names;
}

bool sectionTakesCrossTab(SectionKind kind)
{
    return kind == SectionKind::ReportHeader || kind == SectionKind::ReportFooter || kind == SectionKind::GroupHeader
        || kind == SectionKind::GroupFooter;
}

namespace {

constexpr int widestLength = 1000000;

/// "fit", or a width in twips.
std::optional<Twips> readWidth(AttributeReader &attributes, QStringView name)
{
    const auto text = attributes.optional(name);
    if (!text || *text == QLatin1String("fit"))
        return std::nullopt;
    return attributes.integer(name, 0, 1, widestLength);
}

} // namespace

void CrossTabReader::readAttributes(AttributeReader &attributes, CrossTabDefinition &crossTab)
{
    m_headingStyleSeen = m_cellStyleSeen = m_totalStyleSeen = false;
    crossTab.rowTotals = attributes.boolean(u"rowTotals", crossTab.rowTotals);
    crossTab.columnTotals = attributes.boolean(u"columnTotals", crossTab.columnTotals);
    crossTab.nullLabel = attributes.text(u"nullLabel", crossTab.nullLabel);
    crossTab.totalLabel = attributes.text(u"totalLabel", crossTab.totalLabel);
    crossTab.columnWidth = readWidth(attributes, u"columnWidth");
    crossTab.rowHeadingWidth = readWidth(attributes, u"rowHeadingWidth");
    crossTab.gridLines = attributes.boolean(u"grid", crossTab.gridLines);
    crossTab.gridColor = attributes.colour(u"gridColor", crossTab.gridColor);
    crossTab.gridWidth = attributes.integer(u"gridWidth", crossTab.gridWidth, 0, widestLength);
}

bool CrossTabReader::readChild(CrossTabDefinition &crossTab)
{
    const QString child = m_walker.name();
    if (child == QLatin1String("row"))
        crossTab.rows.push_back(readLevel());
    else if (child == QLatin1String("column"))
        crossTab.columns.push_back(readLevel());
    else if (child == QLatin1String("cell"))
        crossTab.summaries.push_back(readSummary());
    else if (child == QLatin1String("headingStyle"))
        readStyle(crossTab.headingStyle, m_headingStyleSeen, false);
    else if (child == QLatin1String("cellStyle"))
        readStyle(crossTab.cellStyle, m_cellStyleSeen, true);
    else if (child == QLatin1String("totalStyle"))
        readStyle(crossTab.totalStyle, m_totalStyleSeen, true);
    else
        return false;
    return true;
}

CrossTabLevel CrossTabReader::readLevel()
{
    AttributeReader attributes(m_walker);
    CrossTabLevel level;
    level.position = m_walker.position();
    level.field = m_references.field(attributes, u"field", {Kind::Database, Kind::Formula});
    level.format = attributes.text(u"format");
    level.order = attributes.choice(u"order", crossTabOrderNames(), CrossTabOrder::Ascending);
    if (attributes.has(u"top"))
        level.top = attributes.integer(u"top", 1, 1, widestLength);
    level.gatherRest = attributes.boolean(u"gatherRest", level.gatherRest);
    level.restName = attributes.text(u"restName", level.restName);
    level.subtotals = attributes.boolean(u"subtotals", level.subtotals);
    attributes.finish();
    m_walker.finishEmpty();
    return level;
}

CrossTabSummary CrossTabReader::readSummary()
{
    AttributeReader attributes(m_walker);
    CrossTabSummary cell;
    cell.summary = readSummaryAttributes(attributes, m_references, u"source");
    cell.format = attributes.text(u"format");
    cell.label = attributes.text(u"label", nameOf(summaryOperationNames(), cell.summary.operation));
    attributes.finish();
    m_walker.finishEmpty();
    return cell;
}

void CrossTabReader::readStyle(CrossTabStyle &style, bool &seen, bool takesFormulas)
{
    if (seen)
        m_walker.fail(CrossTabRepeatedStyle,
                      QStringLiteral("la taula creuada ja té un element <%1>; cada estil va una sola vegada.")
                          .arg(m_walker.name()));
    seen = true;
    AttributeReader attributes(m_walker);
    readFontAttributes(attributes, style.font);
    style.color = attributes.colour(u"color", style.color);
    style.background = attributes.optionalColour(u"background");
    attributes.finish();
    // Cells and totals take the one property a section takes, background;
    // headings take none (a cross-tab object's kind has no properties).
    const auto propertiesOf = takesFormulas ? std::nullopt : std::optional(ReportObject::Kind::CrossTab);
    while (m_walker.nextChild()) {
        if (m_walker.name() != QLatin1String("property"))
            m_walker.failUnknownElement();
        readPropertyFormula(m_walker, propertiesOf, style.propertyFormulas);
    }
}

void CrossTabReader::checkComplete(const CrossTabDefinition &crossTab, const SourcePosition &position) const
{
    const auto outOfRange = [](size_t count, int most) { return count < 1 || count > size_t(most); };
    if (outOfRange(crossTab.rows.size(), CrossTabDefinition::maximumRowLevels)
        || outOfRange(crossTab.columns.size(), CrossTabDefinition::maximumColumnLevels)
        || outOfRange(crossTab.summaries.size(), CrossTabDefinition::maximumSummaries))
        m_walker.failAt(position, CrossTabShape,
                        QStringLiteral("una taula creuada té d'un a tres <row>, un o dos <column> i d'una a tres "
                                       "<cell>; aquesta en té %1, %2 i %3.")
                            .arg(crossTab.rows.size())
                            .arg(crossTab.columns.size())
                            .arg(crossTab.summaries.size()));
}

} // namespace velmora
