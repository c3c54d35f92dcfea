#include "engine/definition/CrossTabXmlWriter.h"

#include "engine/definition/CrossTabReader.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/FontAttributes.h"
#include "engine/definition/SummaryAttributes.h"

namespace velmora {

namespace {

void writeBooleanUnless(XmlOutput &out, QStringView name, bool value, bool fallback)
{
    if (value != fallback)
        out.text(name, value ? QStringLiteral("true") : QStringLiteral("false"));
}

void writeWidth(XmlOutput &out, QStringView name, const std::optional<Twips> &width)
{
    if (width)
        out.integer(name, *width);
}

void writeLevel(XmlOutput &out, QStringView element, const CrossTabLevel &level)
{
    const CrossTabLevel defaults;
    out.start(element);
    out.text(u"field", level.field.toText());
    out.textUnlessEmpty(u"format", level.format);
    if (level.order != defaults.order)
        out.text(u"order", nameOf(crossTabOrderNames(), level.order));
    if (level.top)
        out.integer(u"top", *level.top);
    writeBooleanUnless(out, u"gatherRest", level.gatherRest, defaults.gatherRest);
    if (level.restName != defaults.restName)
        out.text(u"restName", level.restName);
    writeBooleanUnless(out, u"subtotals", level.subtotals, defaults.subtotals);
    out.end();
}

void writeSummary(XmlOutput &out, const CrossTabSummary &cell)
{
    out.start(u"cell");
    writeSummaryAttributes(out, cell.summary, u"source");
    out.textUnlessEmpty(u"format", cell.format);
    if (cell.label != nameOf(summaryOperationNames(), cell.summary.operation))
        out.text(u"label", cell.label);
    out.end();
}

void writeStyle(XmlOutput &out, QStringView element, const CrossTabStyle &style)
{
    const CrossTabStyle defaults;
    if (style == defaults)
        return;
    out.start(element);
    writeFontAttributes(out, style.font);
    out.colourUnless(u"color", style.color, defaults.color);
    out.colour(u"background", style.background);
    out.propertyFormulas(style.propertyFormulas);
    out.end();
}

} // namespace

void writeCrossTabAttributes(XmlOutput &out, const CrossTabDefinition &crossTab)
{
    const CrossTabDefinition defaults;
    writeBooleanUnless(out, u"rowTotals", crossTab.rowTotals, defaults.rowTotals);
    writeBooleanUnless(out, u"columnTotals", crossTab.columnTotals, defaults.columnTotals);
    if (crossTab.nullLabel != defaults.nullLabel)
        out.text(u"nullLabel", crossTab.nullLabel);
    if (crossTab.totalLabel != defaults.totalLabel)
        out.text(u"totalLabel", crossTab.totalLabel);
    writeWidth(out, u"columnWidth", crossTab.columnWidth);
    writeWidth(out, u"rowHeadingWidth", crossTab.rowHeadingWidth);
    writeBooleanUnless(out, u"grid", crossTab.gridLines, defaults.gridLines);
    out.colourUnless(u"gridColor", crossTab.gridColor, defaults.gridColor);
    out.integerUnless(u"gridWidth", crossTab.gridWidth, defaults.gridWidth);
}

void writeCrossTabChildren(XmlOutput &out, const CrossTabDefinition &crossTab)
{
    for (const CrossTabLevel &level : crossTab.rows)
        writeLevel(out, u"row", level);
    for (const CrossTabLevel &level : crossTab.columns)
        writeLevel(out, u"column", level);
    for (const CrossTabSummary &cell : crossTab.summaries)
        writeSummary(out, cell);
    writeStyle(out, u"headingStyle", crossTab.headingStyle);
    writeStyle(out, u"cellStyle", crossTab.cellStyle);
    writeStyle(out, u"totalStyle", crossTab.totalStyle);
}

} // namespace velmora
