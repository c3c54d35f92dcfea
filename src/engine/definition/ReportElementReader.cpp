#include "engine/definition/ReportElementReader.h"

#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/NameCheck.h"
#include "engine/definition/ParameterElementReader.h"
#include "engine/definition/SectionListReader.h"
#include "engine/definition/SummaryAttributes.h"

#include <array>

namespace velmora {

using namespace DefinitionErrors;
using Kind = FieldRef::Kind;

namespace {

/// The children of <report>, in the only order they may come.
constexpr std::array<const char16_t *, 11> reportChildren = {
    u"page", u"tables", u"links", u"parameters", u"formulas", u"recordSelection",
    u"sorts", u"groups", u"runningTotals", u"sections", u"wizard",
};
// <wizard> keeps the choices the report wizard made the report from; the
// engine does not read it (docs/report-format.md).
constexpr int wizardChild = 10;

int reportChildIndex(QStringView name)
{
    for (size_t i = 0; i < reportChildren.size(); ++i) {
        if (name == QStringView(reportChildren[i]))
            return int(i);
    }
    return -1;
}

} // namespace

ReportElementReader::ReportElementReader(ReaderContext &context) : m_context(context), m_walker(context.walker)
{
}

ReportDefinition ReportElementReader::read()
{
    readAttributes();
    int lastChild = -1;
    while (m_walker.nextChild()) {
        const int childIndex = reportChildIndex(m_walker.name());
        if (childIndex < 0)
            m_walker.failUnknownElement();
        if (childIndex <= lastChild)
            m_walker.fail(ElementOutOfPlace,
                          QStringLiteral("l'element <%1> no pot anar aquí: dins de <report> els elements van en "
                                         "aquest ordre, cadascun com a molt una vegada: page, tables, links, "
                                         "parameters, formulas, recordSelection, sorts, groups, runningTotals, "
                                         "sections, wizard.")
                              .arg(m_walker.name()));
        lastChild = childIndex;
        readChild(childIndex);
    }
    return std::move(m_report);
}

void ReportElementReader::readAttributes()
{
    AttributeReader attributes(m_walker);
    if (m_context.depth == 0) {
        constexpr int supportedVersion = 1;
        const int version = attributes.requiredInteger(u"formatVersion", 1, 1000000);
        if (version > supportedVersion)
            attributes.fail(UnsupportedVersion,
                            QStringLiteral("l'informe és de la versió %1 del format, i aquest programa només llegeix "
                                           "fins a la versió %2.")
                                .arg(version)
                                .arg(supportedVersion));
    }
    m_report.title = attributes.text(u"title");
    m_report.author = attributes.text(u"author");
    attributes.finish();
}

void ReportElementReader::readChild(int childIndex)
{
    switch (childIndex) {
    case 0: readPage(); break;
    case 1: readList(u"table", &ReportElementReader::readTable); break;
    case 2: readList(u"link", &ReportElementReader::readLink); break;
    case 3: readList(u"parameter", &ReportElementReader::readParameter); break;
    case 4: readList(u"formula", &ReportElementReader::readFormula); break;
    case 5: m_report.recordSelection = m_walker.readFormula(); break;
    case 6: readList(u"sort", &ReportElementReader::readSort); break;
    case 7: readList(u"group", &ReportElementReader::readGroup); break;
    case 8: readList(u"runningTotal", &ReportElementReader::readRunningTotal); break;
    case wizardChild: m_walker.skipElement(); break;
    default: m_report.sections = SectionListReader(m_context, m_report).read(); break;
    }
}

void ReportElementReader::readList(QStringView itemName, void (ReportElementReader::*readItem)())
{
    while (m_walker.nextChild()) {
        if (m_walker.name() != itemName)
            m_walker.failUnknownElement();
        (this->*readItem)();
    }
}

void ReportElementReader::readPage()
{
    AttributeReader attributes(m_walker);
    PageSetup &page = m_report.page;
    if (const auto paper = attributes.optional(u"paper")) {
        const auto size = paperSizeNamed(*paper);
        if (!size)
            attributes.fail(BadChoice, QStringLiteral("el paper «%1» no és conegut; els noms possibles són: %2 (o "
                                                      "doneu width i height en twips).")
                                           .arg(*paper, paperSizeNameList()));
        if (attributes.has(u"width") || attributes.has(u"height"))
            attributes.fail(ElementOutOfPlace, QStringLiteral("<page> dona la mida del paper amb «paper» o amb "
                                                              "«width» i «height», no amb tots dos."));
        page.paper = *size;
    } else if (attributes.has(u"width") || attributes.has(u"height")) {
        page.paper = QSize(attributes.requiredInteger(u"width", 1, maximumLength),
                           attributes.requiredInteger(u"height", 1, maximumLength));
    }
    const QString orientation = attributes.text(u"orientation", QStringLiteral("portrait"));
    if (orientation != QLatin1String("portrait") && orientation != QLatin1String("landscape"))
        attributes.fail(BadChoice, QStringLiteral("l'atribut «orientation» de <page> no admet «%1»; els valors "
                                                  "possibles són: portrait, landscape.")
                                       .arg(orientation));
    page.landscape = orientation == QLatin1String("landscape");
    page.margins = QMargins(attributes.integer(u"marginLeft", page.margins.left(), 0, maximumLength),
                            attributes.integer(u"marginTop", page.margins.top(), 0, maximumLength),
                            attributes.integer(u"marginRight", page.margins.right(), 0, maximumLength),
                            attributes.integer(u"marginBottom", page.margins.bottom(), 0, maximumLength));
    attributes.finish();
    const QSize size = page.pageSize();
    if (page.margins.left() + page.margins.right() >= size.width()
        || page.margins.top() + page.margins.bottom() >= size.height())
        attributes.fail(BadGeometry, QStringLiteral("els marges de <page> no deixen lloc per imprimir al paper de "
                                                    "%1 × %2 twips.")
                                         .arg(size.width())
                                         .arg(size.height()));
    m_walker.finishEmpty();
}

void ReportElementReader::readTable()
{
    AttributeReader attributes(m_walker);
    TableDefinition table;
    table.position = m_walker.position();
    table.name = readName(attributes);
    table.alias = attributes.has(u"alias") ? readName(attributes, u"alias") : table.name;
    attributes.finish();
    refuseDuplicate(attributes, m_report.tableByAlias(table.alias) != nullptr, DuplicateTable,
                    QStringLiteral("l'àlies de taula"), table.alias);
    m_walker.finishEmpty();
    m_report.tables.push_back(std::move(table));
}

QString ReportElementReader::tableAlias(AttributeReader &attributes, QStringView attribute)
{
    const QString alias = attributes.required(attribute);
    if (!m_report.tableByAlias(alias))
        attributes.fail(UnknownTable, QStringLiteral("l'atribut «%1» de <%2> nomena la taula «%3», que no està "
                                                     "declarada a <tables>.")
                                          .arg(attribute.toString(), m_walker.name(), alias));
    return alias;
}

void ReportElementReader::readLink()
{
    AttributeReader attributes(m_walker);
    TableLink link;
    link.position = m_walker.position();
    link.fromAlias = tableAlias(attributes, u"from");
    link.toAlias = tableAlias(attributes, u"to");
    link.join = attributes.choice(u"join", joinTypeNames(), JoinType::Inner);
    attributes.finish();
    if (link.fromAlias == link.toAlias)
        attributes.fail(BadReference, QStringLiteral("l'enllaç uneix la taula «%1» amb ella mateixa; declareu-la "
                                                     "dues vegades amb àlies diferents.")
                                          .arg(link.fromAlias));
    readLinkFields(link);
    m_report.links.push_back(std::move(link));
}

void ReportElementReader::readLinkFields(TableLink &link)
{
    const SourcePosition linkPosition = m_walker.position();
    while (m_walker.nextChild()) {
        if (m_walker.name() != QLatin1String("on"))
            m_walker.failUnknownElement();
        AttributeReader attributes(m_walker);
        link.fromFields << readName(attributes, u"from");
        link.toFields << readName(attributes, u"to");
        attributes.finish();
        m_walker.finishEmpty();
    }
    if (link.fromFields.isEmpty())
        m_walker.failAt(linkPosition, MissingElement,
                        QStringLiteral("l'enllaç de «%1» a «%2» no diu quins camps s'uneixen: li falta almenys un "
                                       "<on from=\"...\" to=\"...\"/>.")
                            .arg(link.fromAlias, link.toAlias));
}

void ReportElementReader::readParameter()
{
    m_report.parameters.push_back(ParameterElementReader(m_walker, m_report, m_references).read());
}

void ReportElementReader::readFormula()
{
    AttributeReader attributes(m_walker);
    FormulaDefinition formula;
    formula.name = readName(attributes);
    attributes.finish();
    refuseDuplicate(attributes, m_report.formula(formula.name) != nullptr, DuplicateFormula,
                    QStringLiteral("la fórmula"), formula.name);
    const SourcePosition position = m_walker.position();
    formula.formula = m_walker.readFormula();
    if (formula.formula.isEmpty())
        m_walker.failAt(position, EmptyFormula, QStringLiteral("la fórmula «%1» no té text.").arg(formula.name));
    m_report.formulas.push_back(std::move(formula));
}

SortDefinition ReportElementReader::readSortKey(AttributeReader &attributes)
{
    SortDefinition sort;
    sort.position = m_walker.position();
    sort.field = m_references.field(attributes, u"field", {Kind::Database, Kind::Formula});
    sort.direction = attributes.choice(u"direction", sortDirectionNames(), SortDirection::Ascending);
    return sort;
}

void ReportElementReader::readSort()
{
    AttributeReader attributes(m_walker);
    SortDefinition sort = readSortKey(attributes);
    attributes.finish();
    m_walker.finishEmpty();
    m_report.sorts.push_back(std::move(sort));
}

void ReportElementReader::readGroup()
{
    AttributeReader attributes(m_walker);
    const SortDefinition key = readSortKey(attributes);
    GroupDefinition group;
    group.position = key.position;
    group.field = key.field;
    group.direction = key.direction;
    group.keepTogether = attributes.boolean(u"keepTogether", false);
    group.repeatHeader = attributes.boolean(u"repeatHeader", false);
    attributes.finish();
    // The group joins the report first so that its <rank> may name it.
    m_report.groups.push_back(std::move(group));
    bool seenSelection = false;
    while (m_walker.nextChild()) {
        const bool rank = m_walker.name() == QLatin1String("rank");
        if (!rank && m_walker.name() != QLatin1String("selection"))
            m_walker.failUnknownElement();
        if (rank ? m_report.groups.back().ranking.has_value() : seenSelection)
            m_walker.fail(ElementOutOfPlace, QStringLiteral("l'element <%1> només pot sortir una vegada dins de <group>.")
                                                 .arg(m_walker.name()));
        if (rank) {
            m_report.groups.back().ranking = readRank(int(m_report.groups.size()) - 1);
        } else {
            seenSelection = true;
            m_report.groups.back().selection = m_walker.readFormula();
        }
    }
}

GroupRanking ReportElementReader::readRank(int level)
{
    AttributeReader attributes(m_walker);
    GroupRanking ranking;
    ranking.by = readSummaryAttributes(attributes, m_references, u"source");
    ranking.by.groupLevel = level;
    ranking.direction = attributes.choice(u"direction", sortDirectionNames(), SortDirection::Descending);
    if (const auto keep = attributes.optional(u"keep"); keep && keep->startsWith(u'{')) {
        const FieldRef parameter = m_references.field(attributes, u"keep", {Kind::Parameter});
        ranking.keepParameter = parameter.name;
    } else if (keep) {
        ranking.keep = attributes.integer(u"keep", 0, 0, 1000000000);
    }
    ranking.keepTies = attributes.boolean(u"keepTies", false);
    ranking.gatherRest = attributes.choice(u"rest", restChoiceNames(), false);
    ranking.restName = attributes.text(u"restName", ranking.restName);
    if (!ranking.keep && ranking.keepParameter.isEmpty()
        && (ranking.gatherRest || ranking.keepTies || attributes.has(u"restName")))
        attributes.fail(BadSummaryOption, QStringLiteral("els atributs «rest», «restName» i «keepTies» de <rank> "
                                                         "només valen amb «keep»."));
    attributes.finish();
    m_walker.finishEmpty();
    return ranking;
}

void ReportElementReader::readRunningTotal()
{
    AttributeReader attributes(m_walker);
    RunningTotalDefinition total;
    total.position = m_walker.position();
    total.name = readName(attributes);
    refuseDuplicate(attributes, m_report.runningTotal(total.name) != nullptr, DuplicateRunningTotal,
                    QStringLiteral("el total acumulat"), total.name);
    total.operation = attributes.choice(u"operation", summaryOperationNames(), SummaryOperation::Sum);
    if (!summaryRuns(total.operation))
        attributes.fail(BadSummaryOption, QStringLiteral("un total acumulat no pot ser %1: caldria ordenar tots els "
                                                         "valors de nou a cada registre; feu-ne un resum.")
                                              .arg(nameOf(summaryOperationNames(), total.operation)));
    total.field = m_references.field(attributes, u"field", {Kind::Database, Kind::Formula});
    if (summaryTakesArgument(total.operation)) {
        attributes.required(u"argument");
        total.argument = attributes.integer(u"argument", 1, 1, 1000000);
    }
    if (summaryTakesWeight(total.operation))
        total.weight = m_references.field(attributes, u"weight", {Kind::Database, Kind::Formula});
    total.resetGroupLevel = m_references.groupLevel(attributes, u"reset", u"never", -1);
    attributes.finish();
    total.condition = m_walker.readOptionalFormulaChild(u"condition");
    m_report.runningTotals.push_back(std::move(total));
}

} // namespace velmora
