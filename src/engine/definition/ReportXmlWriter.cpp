#include "engine/definition/ReportXmlWriter.h"

#include "engine/definition/DefinitionNames.h"
#include "engine/definition/ObjectXmlWriter.h"
#include "engine/definition/ParameterText.h"
#include "engine/definition/ParameterValueText.h"
#include "engine/definition/SummaryAttributes.h"

namespace velmora {

namespace {

constexpr int formatVersion = 1;

bool isGroupSection(SectionKind kind)
{
    return kind == SectionKind::GroupHeader || kind == SectionKind::GroupFooter;
}

} // namespace

void ReportXmlWriter::writeReport(const ReportDefinition &report, bool isMainReport)
{
    m_out.start(u"report");
    if (isMainReport)
        m_out.integer(u"formatVersion", formatVersion);
    m_out.textUnlessEmpty(u"title", report.title);
    m_out.textUnlessEmpty(u"author", report.author);
    writePage(report.page, isMainReport);
    writeTables(report);
    writeLinks(report);
    writeParameters(report);
    writeFormulas(report);
    m_out.formula(u"recordSelection", report.recordSelection);
    writeSorts(report);
    writeGroups(report);
    writeRunningTotals(report);
    writeSections(report);
    m_out.end();
}

void ReportXmlWriter::writePage(const PageSetup &page, bool isMainReport)
{
    const PageSetup defaults;
    if (!isMainReport && page == defaults)
        return;
    m_out.start(u"page");
    const QString paperName = paperSizeName(page.paper);
    if (paperName.isEmpty()) {
        m_out.integer(u"width", page.paper.width());
        m_out.integer(u"height", page.paper.height());
    } else {
        m_out.text(u"paper", paperName);
    }
    m_out.text(u"orientation", page.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    m_out.integer(u"marginLeft", page.margins.left());
    m_out.integer(u"marginTop", page.margins.top());
    m_out.integer(u"marginRight", page.margins.right());
    m_out.integer(u"marginBottom", page.margins.bottom());
    m_out.end();
}

void ReportXmlWriter::writeTables(const ReportDefinition &report)
{
    if (report.tables.empty())
        return;
    m_out.start(u"tables");
    for (const TableDefinition &table : report.tables) {
        m_out.start(u"table");
        m_out.text(u"name", table.name);
        if (table.alias != table.name)
            m_out.text(u"alias", table.alias);
        m_out.end();
    }
    m_out.end();
}

void ReportXmlWriter::writeLinks(const ReportDefinition &report)
{
    if (report.links.empty())
        return;
    m_out.start(u"links");
    for (const TableLink &link : report.links) {
        m_out.start(u"link");
        m_out.text(u"from", link.fromAlias);
        m_out.text(u"to", link.toAlias);
        m_out.text(u"join", nameOf(joinTypeNames(), link.join));
        for (qsizetype i = 0; i < link.fromFields.size() && i < link.toFields.size(); ++i) {
            m_out.start(u"on");
            m_out.text(u"from", link.fromFields.at(i));
            m_out.text(u"to", link.toFields.at(i));
            m_out.end();
        }
        m_out.end();
    }
    m_out.end();
}

void ReportXmlWriter::writeParameters(const ReportDefinition &report)
{
    if (report.parameters.empty())
        return;
    m_out.start(u"parameters");
    for (const ParameterDefinition &parameter : report.parameters) {
        m_out.start(u"parameter");
        m_out.text(u"name", parameter.name);
        m_out.text(u"type", nameOf(parameterTypeNames(), parameter.type));
        m_out.textUnlessEmpty(u"prompt", parameter.prompt);
        if (!parameter.defaultValue.isEmpty())
            m_out.text(u"default", parameterText(parameter, parameter.defaultValue));
        m_out.flag(u"multiple", parameter.multipleValues);
        m_out.flag(u"range", parameter.rangeValues);
        m_out.flag(u"optional", parameter.optional);
        m_out.flag(u"closedList", parameter.closedList);
        if (parameter.listField)
            m_out.text(u"valuesFrom", parameter.listField->toText());
        writeChoices(parameter);
        m_out.end();
    }
    m_out.end();
}

void ReportXmlWriter::writeChoices(const ParameterDefinition &parameter)
{
    for (const PickValue &choice : parameter.pickList) {
        m_out.start(u"choice");
        m_out.text(u"value", parameterValueText(choice.value));
        m_out.textUnlessEmpty(u"description", choice.description);
        m_out.end();
    }
}

void ReportXmlWriter::writeFormulas(const ReportDefinition &report)
{
    if (report.formulas.empty())
        return;
    m_out.start(u"formulas");
    for (const FormulaDefinition &formula : report.formulas) {
        m_out.start(u"formula");
        m_out.text(u"name", formula.name);
        m_out.formulaText(formula.formula);
        m_out.end();
    }
    m_out.end();
}

void ReportXmlWriter::writeSorts(const ReportDefinition &report)
{
    if (report.sorts.empty())
        return;
    m_out.start(u"sorts");
    for (const SortDefinition &sort : report.sorts) {
        m_out.start(u"sort");
        m_out.text(u"field", sort.field.toText());
        m_out.text(u"direction", nameOf(sortDirectionNames(), sort.direction));
        m_out.end();
    }
    m_out.end();
}

void ReportXmlWriter::writeGroups(const ReportDefinition &report)
{
    if (report.groups.empty())
        return;
    m_out.start(u"groups");
    for (const GroupDefinition &group : report.groups) {
        m_out.start(u"group");
        m_out.text(u"field", group.field.toText());
        m_out.text(u"direction", nameOf(sortDirectionNames(), group.direction));
        m_out.flag(u"keepTogether", group.keepTogether);
        m_out.flag(u"repeatHeader", group.repeatHeader);
        if (group.ranking)
            writeRank(*group.ranking);
        m_out.formula(u"selection", group.selection);
        m_out.end();
    }
    m_out.end();
}

void ReportXmlWriter::writeRank(const GroupRanking &ranking)
{
    m_out.start(u"rank");
    writeSummaryAttributes(m_out, ranking.by, u"source");
    m_out.text(u"direction", nameOf(sortDirectionNames(), ranking.direction));
    if (!ranking.keepParameter.isEmpty())
        m_out.text(u"keep", QStringLiteral("{?%1}").arg(ranking.keepParameter));
    else if (ranking.keep)
        m_out.integer(u"keep", *ranking.keep);
    if (ranking.keep || !ranking.keepParameter.isEmpty()) {
        m_out.flag(u"keepTies", ranking.keepTies);
        m_out.text(u"rest", nameOf(restChoiceNames(), ranking.gatherRest));
        m_out.text(u"restName", ranking.restName);
    }
    m_out.end();
}

void ReportXmlWriter::writeRunningTotals(const ReportDefinition &report)
{
    if (report.runningTotals.empty())
        return;
    m_out.start(u"runningTotals");
    for (const RunningTotalDefinition &total : report.runningTotals) {
        m_out.start(u"runningTotal");
        m_out.text(u"name", total.name);
        m_out.text(u"operation", nameOf(summaryOperationNames(), total.operation));
        m_out.text(u"field", total.field.toText());
        if (summaryTakesArgument(total.operation))
            m_out.integer(u"argument", int(total.argument));
        if (total.weight)
            m_out.text(u"weight", total.weight->toText());
        if (total.resetGroupLevel >= 0)
            m_out.integer(u"reset", total.resetGroupLevel + 1);
        m_out.formula(u"condition", total.condition);
        m_out.end();
    }
    m_out.end();
}

void ReportXmlWriter::writeSections(const ReportDefinition &report)
{
    if (report.sections.empty())
        return;
    m_out.start(u"sections");
    for (const SectionDefinition &section : report.sections)
        writeSection(section);
    m_out.end();
}

void ReportXmlWriter::writeSection(const SectionDefinition &section)
{
    m_out.start(nameOf(sectionElementNames(), section.kind));
    m_out.textUnlessEmpty(u"name", section.name);
    if (isGroupSection(section.kind))
        m_out.integer(u"group", section.groupLevel + 1);
    m_out.integer(u"height", section.height);
    m_out.colour(u"background", section.background);
    const SectionOptions &options = section.options;
    m_out.flag(u"suppress", options.suppress);
    m_out.flag(u"newPageBefore", options.newPageBefore);
    m_out.flag(u"newPageAfter", options.newPageAfter);
    m_out.flag(u"keepTogether", options.keepTogether);
    m_out.flag(u"suppressBlank", options.suppressBlank);
    m_out.formula(u"suppressWhen", options.suppressFormula);
    m_out.propertyFormulas(section.propertyFormulas);
    ObjectXmlWriter objects(m_out, *this);
    for (const ReportObject &object : section.objects)
        objects.write(object);
    m_out.end();
}

} // namespace velmora
