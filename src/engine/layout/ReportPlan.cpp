#include "engine/layout/ReportPlan.h"

#include "engine/layout/CrossTabPlan.h"

#include "engine/formula/ParameterValueReading.h"
#include "engine/layout/LayoutErrors.h"
#include "engine/layout/PropertyApplier.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

template<typename List, typename Name>
int indexByName(const List &list, const QString &name, Name nameOf)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (sameName(nameOf(list[i]), name))
            return int(i);
    return -1;
}

SummaryOperation operationFor(SummaryFunction fn)
{
    static_assert(int(SummaryFunction::WeightedAverage) == int(SummaryOperation::WeightedAverage));
    return SummaryOperation(int(fn));
}

} // namespace

ReportPlan::ReportPlan(std::shared_ptr<const ReportDefinition> definition,
                       const ParameterValues &parameters, int reportSummaryLevel)
    : m_definition(std::move(definition)), m_reportSummaryLevel(reportSummaryLevel)
{
    for (const ParameterDefinition &p : m_definition->parameters) {
        ParameterValue v = p.defaultValue;
        for (const auto &[name, given] : parameters)
            if (sameName(name, p.name))
                v = given;
        m_parameterValues.push_back(parameterAsValue(v));
        m_parameterSets.push_back(std::move(v));
    }
    compileFormulas();
    m_recordSelection = compile(m_definition->recordSelection, QStringLiteral("selecció de registres"));
    compileKeys();
    compileRunningTotals();
    compileSections();
}

std::optional<Formula> ReportPlan::compile(const FormulaText &text, const QString &name)
{
    if (text.isEmpty())
        return std::nullopt;
    Formula f = Formula::parse(text.text, name, text.line > 0 ? text.line : 1, text.column > 0 ? text.column : 1);
    f.bind(*this);
    noteSpecials(f);
    return f;
}

void ReportPlan::noteSpecials(const Formula &formula)
{
    if (formula.usesSpecialValue(SpecialValue::TotalPageCount) || formula.usesSpecialValue(SpecialValue::PageNofM))
        m_needsPageCount = true;
}

void ReportPlan::compileFormulas()
{
    // Parse every formula first so that formulas may name each other in any order.
    for (const FormulaDefinition &fd : m_definition->formulas) {
        const FormulaText &t = fd.formula;
        m_formulas.push_back(Formula::parse(t.text.isEmpty() ? QStringLiteral("\"\"") : t.text, u'@' + fd.name,
                                            t.line > 0 ? t.line : 1, t.column > 0 ? t.column : 1));
        m_formulaNames.push_back(fd.name);
    }
    for (Formula &f : m_formulas) {
        f.bind(*this);
        noteSpecials(f);
    }
    refuseCircularFormulas();
}

void ReportPlan::refuseCircularFormulas() const
{
    // A formula that reads itself, directly or through others, could never
    // be worked out: say so when the report is opened, naming the circle.
    // Walked with a stack of its own, since a report may chain thousands.
    const size_t count = m_formulas.size();
    std::vector<std::vector<int>> reads(count);
    for (size_t f = 0; f < count; ++f)
        for (const FormulaReference &ref : m_formulas[f].references())
            if (ref.kind == FormulaReference::Kind::Formula) {
                const int next = indexByName(m_formulaNames, ref.name, [](const QString &n) { return n; });
                if (next >= 0)
                    reads[f].push_back(next);
            }
    enum class Mark : quint8 { Unseen, OnPath, Done };
    std::vector<Mark> marks(count, Mark::Unseen);
    for (size_t root = 0; root < count; ++root) {
        if (marks[root] != Mark::Unseen)
            continue;
        std::vector<std::pair<int, size_t>> path{{int(root), 0}}; // formula, next read to follow
        marks[root] = Mark::OnPath;
        while (!path.empty()) {
            auto &[f, nextRead] = path.back();
            if (nextRead == reads[size_t(f)].size()) {
                marks[size_t(f)] = Mark::Done;
                path.pop_back();
                continue;
            }
            const int next = reads[size_t(f)][nextRead++];
            if (marks[size_t(next)] == Mark::Done)
                continue;
            if (marks[size_t(next)] == Mark::OnPath) {
                QStringList circle;
                bool inCircle = false;
                for (const auto &[step, unused] : path) {
                    inCircle = inCircle || step == next;
                    if (inCircle)
                        circle.append(u'@' + m_formulaNames[size_t(step)]);
                }
                circle.append(u'@' + m_formulaNames[size_t(next)]);
                throw Failure(LayoutErrors::CircularFormula,
                              QStringLiteral("La fórmula @%1 depèn d'ella mateixa: %2.")
                                  .arg(m_formulaNames[size_t(next)], circle.join(QStringLiteral(" → "))));
            }
            marks[size_t(next)] = Mark::OnPath;
            path.emplace_back(next, 0);
        }
    }
}

void ReportPlan::compileKeys()
{
    for (size_t level = 0; level < m_definition->groups.size(); ++level) {
        const GroupDefinition &g = m_definition->groups[level];
        m_sortKeys.push_back({operandFor(g.field, QStringLiteral("grup %1").arg(level + 1)), g.direction});
        m_groupSelections.push_back(compile(g.selection, QStringLiteral("selecció del grup %1").arg(level + 1)));
        m_rankings.push_back(compileRanking(g, int(level)));
    }
    for (const SortDefinition &s : m_definition->sorts)
        m_sortKeys.push_back({operandFor(s.field, QStringLiteral("ordenació")), s.direction});
}

std::optional<RankingPlan> ReportPlan::compileRanking(const GroupDefinition &group, int level)
{
    if (!group.ranking)
        return std::nullopt;
    const GroupRanking &r = *group.ranking;
    FieldRef by = r.by;
    by.groupLevel = level;
    by.percentOfLevel = FieldRef::NotPercent;
    RankingPlan plan;
    plan.summary = summaryFor(by, QStringLiteral("ordenació del grup %1").arg(level + 1));
    plan.direction = r.direction;
    plan.keep = keptGroups(r, level);
    plan.keepTies = r.keepTies;
    plan.gatherRest = r.gatherRest;
    plan.restName = r.restName;
    return plan;
}

std::optional<qint64> ReportPlan::keptGroups(const GroupRanking &ranking, int level) const
{
    if (ranking.keepParameter.isEmpty())
        return ranking.keep;
    const int index = indexByName(m_definition->parameters, ranking.keepParameter,
                                  [](const ParameterDefinition &p) { return p.name; });
    const Value given = index < 0 ? Value() : m_parameterValues[size_t(index)];
    if (index >= 0 && given.isNull())
        return std::nullopt; // no answer: every group
    const double n = given.isNumeric() ? given.toDouble() : -1;
    if (index < 0 || n < 0 || n != std::floor(n) || n > 1e9)
        throw Failure(LayoutErrors::BadParameter,
                      QStringLiteral("El grup %1 es queda amb els {?%2} primers grups, i el paràmetre ha de ser un "
                                     "nombre enter de 0 en amunt.")
                          .arg(level + 1)
                          .arg(ranking.keepParameter));
    return qint64(n);
}

bool ReportPlan::hasRanking() const
{
    return std::any_of(m_rankings.begin(), m_rankings.end(), [](const auto &r) { return r.has_value(); });
}

void ReportPlan::compileRunningTotals()
{
    // Slots for running totals are resolved by name, so the plans must exist
    // before any formula that names one is evaluated; they are filled here.
    for (const RunningTotalDefinition &rt : m_definition->runningTotals) {
        RunningTotalPlan plan;
        plan.operation = rt.operation;
        plan.operand = operandFor(rt.field, u'#' + rt.name);
        plan.argument = rt.argument;
        if (rt.weight)
            plan.weight = operandFor(*rt.weight, u'#' + rt.name);
        plan.condition = compile(rt.condition, u'#' + rt.name);
        plan.resetGroupLevel = rt.resetGroupLevel;
        if (plan.resetGroupLevel >= groupCount())
            throw Failure(LayoutErrors::UnknownReference,
                          QStringLiteral("El total acumulat #%1 es reinicia amb un grup que no existeix.").arg(rt.name));
        m_runningTotals.push_back(std::move(plan));
    }
}

void ReportPlan::compileSections()
{
    for (const SectionDefinition &section : m_definition->sections) {
        SectionPlan plan;
        plan.suppress = compile(section.options.suppressFormula, QStringLiteral("supressió de ") + section.name);
        plan.properties = compileBackground(section.propertyFormulas, section.background,
                                            QStringLiteral("la secció ") + section.name);
        for (const ReportObject &object : section.objects) {
            plan.objects.push_back(compileObject(object));
            if (object.format.canGrow || plan.objects.back().suppress || object.kind == ReportObject::Kind::Subreport
                || object.kind == ReportObject::Kind::CrossTab || object.format.suppressIfDuplicated)
                plan.hasFixedHeight = false;
        }
        if (plan.suppress || section.options.suppressBlank)
            plan.hasFixedHeight = false;
        m_sections.push_back(std::move(plan));
    }
}

ObjectPlan ReportPlan::compileObject(const ReportObject &object)
{
    ObjectPlan plan;
    plan.suppress = compile(object.format.suppressFormula, QStringLiteral("supressió de ") + object.name);
    plan.properties = compileProperties(object.propertyFormulas, QStringLiteral("l'objecte ") + object.name);
    plan.look = ObjectLook::designed(object);
    for (PropertyPlan &property : plan.properties)
        property.designValue = PropertyApplier::designValueOf(property.property, plan.look,
                                                              object.kind == ReportObject::Kind::Box);
    if (object.kind == ReportObject::Kind::Field) {
        plan.pieces.push_back(pieceFor(object.field, object));
    } else if (object.kind == ReportObject::Kind::Text) {
        compileText(object, plan);
    } else if (object.kind == ReportObject::Kind::Subreport) {
        for (const SubreportLink &link : object.links)
            plan.pieces.push_back(pieceFor(link.mainField, object));
    } else if (object.kind == ReportObject::Kind::CrossTab && object.crossTab) {
        plan.crossTab = compileCrossTab(object);
    } else if (object.kind == ReportObject::Kind::Picture && !object.imageData.isEmpty()) {
        plan.picture.loadFromData(object.imageData);
        if (plan.picture.isNull())
            throw Failure(LayoutErrors::BadPicture,
                          QStringLiteral("La imatge de l'objecte %1 no es pot llegir.").arg(object.name));
    } else if (object.kind == ReportObject::Kind::Chart && object.chart) {
        plan.chart = compileChart(*object.chart, object.name);
    }
    return plan;
}

std::shared_ptr<const ChartPlan> ReportPlan::compileChart(const ChartDefinition &chart, const QString &where)
{
    auto plan = std::make_shared<ChartPlan>();
    const int lastLevel = chart.categoryLevel + (chart.data == ChartData::GroupPairs ? 1 : 0);
    if (chart.data != ChartData::Records && (chart.categoryLevel < 0 || lastLevel >= groupCount()))
        throw Failure(LayoutErrors::ChartGroupMissing,
                      QStringLiteral("El gràfic %1 pren les dades d'un grup que l'informe no té.").arg(where));
    if (chart.data == ChartData::Records && !chart.xField)
        throw Failure(LayoutErrors::ChartDataMissing,
                      QStringLiteral("El gràfic %1 no diu quin camp dóna la x de cada registre.").arg(where));
    if (chart.data == ChartData::Records)
        plan->x = operandFor(*chart.xField, where);
    for (const ChartSeries &series : chart.series) {
        if (!series.value)
            continue;
        if (chart.data == ChartData::Records) {
            plan->ys.push_back(operandFor(*series.value, where));
            if (std::find(m_chartRecordOperands.begin(), m_chartRecordOperands.end(), plan->ys.back())
                == m_chartRecordOperands.end())
                m_chartRecordOperands.push_back(plan->ys.back());
        }
        else if (series.value->kind == FieldRef::Kind::Summary && series.value->operand)
            plan->summaries.push_back(summaryFor(*series.value, where));
        else
            throw Failure(LayoutErrors::ChartDataMissing,
                          QStringLiteral("Una sèrie del gràfic %1 no diu de quin camp és el resum.").arg(where));
    }
    return plan;
}

std::shared_ptr<const CrossTabPlan> ReportPlan::compileCrossTab(const ReportObject &object)
{
    const CrossTabDefinition &definition = *object.crossTab;
    const QString where = QStringLiteral("la taula creuada ") + object.name;
    auto plan = std::make_shared<CrossTabPlan>();
    plan->definition = &definition;
    for (const CrossTabLevel &level : definition.rows)
        plan->rows.push_back(operandFor(level.field, where));
    for (const CrossTabLevel &level : definition.columns)
        plan->columns.push_back(operandFor(level.field, where));
    for (const CrossTabSummary &cell : definition.summaries) {
        CrossTabPlan::Summary summary;
        summary.operation = cell.summary.operation;
        summary.argument = cell.summary.argument;
        if (cell.summary.operand)
            summary.operand = operandFor(*cell.summary.operand, where);
        if (cell.summary.weight)
            summary.weight = operandFor(*cell.summary.weight, where);
        plan->summaries.push_back(summary);
    }
    plan->cellBackground = compileBackground(definition.cellStyle.propertyFormulas, definition.cellStyle.background,
                                             QStringLiteral("les cel·les de ") + where);
    plan->totalBackground = compileBackground(definition.totalStyle.propertyFormulas, definition.totalStyle.background,
                                              QStringLiteral("els totals de ") + where);
    return plan;
}

std::vector<PropertyPlan> ReportPlan::compileBackground(const std::vector<PropertyFormula> &formulas,
                                                        std::optional<QRgb> background, const QString &owner)
{
    std::vector<PropertyPlan> plans = compileProperties(formulas, owner);
    for (PropertyPlan &property : plans)
        property.designValue = PropertyApplier::designBackground(background);
    return plans;
}

std::vector<PropertyPlan> ReportPlan::compileProperties(const std::vector<PropertyFormula> &formulas,
                                                        const QString &owner)
{
    std::vector<PropertyPlan> plans;
    for (const PropertyFormula &f : formulas) {
        std::optional<Formula> formula = compile(FormulaText{f.text, f.line, f.column},
                                                 propertyFormulaName(f.property, owner));
        if (!formula)
            continue;
        plans.push_back({f.property, std::move(*formula), owner, Value()});
        checkPropertyResultType(plans.back());
    }
    return plans;
}

void ReportPlan::compileText(const ReportObject &object, ObjectPlan &plan)
{
    // Literal text with references in braces: "Total de {Clients.Nom}".
    // A brace with no closing brace is plain text.
    const QString &t = object.text;
    qsizetype pos = 0;
    while (pos < t.size()) {
        const qsizetype open = t.indexOf(u'{', pos);
        const qsizetype close = open < 0 ? -1 : t.indexOf(u'}', open);
        if (open < 0 || close < 0) {
            plan.pieces.push_back({t.mid(pos), std::nullopt, -1, false});
            break;
        }
        if (open > pos)
            plan.pieces.push_back({t.mid(pos, open - pos), std::nullopt, -1, false});
        const QString inner = t.mid(open + 1, close - open - 1).trimmed();
        ObjectPlan::Piece piece;
        if (sameName(inner, QStringLiteral("ReportTitle"))) {
            piece.reportTitle = true;
        } else {
            const bool reference = inner.startsWith(u'@') || inner.startsWith(u'?') || inner.startsWith(u'#')
                                || inner.contains(u'.');
            Formula f = Formula::parse(reference ? u'{' + inner + u'}' : inner, object.name);
            f.bind(*this);
            noteSpecials(f);
            piece.formula = std::move(f);
        }
        plan.pieces.push_back(std::move(piece));
        pos = close + 1;
    }
}

ObjectPlan::Piece ReportPlan::pieceFor(const FieldRef &ref, const ReportObject &object)
{
    ObjectPlan::Piece piece;
    if (ref.kind == FieldRef::Kind::Summary) {
        if (!ref.operand)
            throw Failure(LayoutErrors::UnknownReference,
                          QStringLiteral("El resum %1 no diu de quin camp és.").arg(object.name));
        piece.summary = summaryFor(ref, object.name);
        return piece;
    }
    if (ref.kind == FieldRef::Kind::Special && ref.special == SpecialField::ReportTitle) {
        piece.reportTitle = true;
        return piece;
    }
    if (ref.kind == FieldRef::Kind::Special
        && (ref.special == SpecialField::TotalPageCount || ref.special == SpecialField::PageNofM))
        m_needsPageCount = true;
    Formula f = Formula::parse(ref.toText(), object.name);
    f.bind(*this);
    piece.formula = std::move(f);
    return piece;
}

int ReportPlan::fieldIndex(const QString &alias, const QString &field)
{
    const TableDefinition *table = m_definition->tableByAlias(alias);
    if (!table)
        return -1;
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (sameName(m_fields[i].alias, table->alias) && sameName(m_fields[i].field, field))
            return int(i);
    m_fields.push_back({table->alias, field});
    return int(m_fields.size() - 1);
}

int ReportPlan::slotFor(SlotTarget::Kind kind, int index)
{
    for (size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].kind == kind && m_slots[i].index == index)
            return int(i);
    m_slots.push_back({kind, index});
    return int(m_slots.size() - 1);
}

int ReportPlan::resolve(const FormulaReference &ref)
{
    switch (ref.kind) {
    case FormulaReference::Kind::Field: {
        const int f = fieldIndex(ref.table, ref.name);
        return f < 0 ? -1 : slotFor(SlotTarget::Kind::Field, f);
    }
    case FormulaReference::Kind::Formula: {
        const int i = indexByName(m_formulaNames, ref.name, [](const QString &n) { return n; });
        return i < 0 ? -1 : slotFor(SlotTarget::Kind::Formula, i);
    }
    case FormulaReference::Kind::Parameter: {
        const int i = indexByName(m_definition->parameters, ref.name,
                                  [](const ParameterDefinition &p) { return p.name; });
        return i < 0 ? -1 : slotFor(SlotTarget::Kind::Parameter, i);
    }
    case FormulaReference::Kind::RunningTotal: {
        const int i = indexByName(m_definition->runningTotals, ref.name,
                                  [](const RunningTotalDefinition &r) { return r.name; });
        return i < 0 ? -1 : slotFor(SlotTarget::Kind::RunningTotal, i);
    }
    }
    return -1;
}

std::optional<Operand> ReportPlan::operandFor(const FormulaReference &ref)
{
    if (ref.kind == FormulaReference::Kind::Field) {
        const int f = fieldIndex(ref.table, ref.name);
        if (f >= 0)
            return Operand{false, f};
    } else if (ref.kind == FormulaReference::Kind::Formula) {
        const int i = indexByName(m_formulaNames, ref.name, [](const QString &n) { return n; });
        if (i >= 0)
            return Operand{true, i};
    }
    return std::nullopt;
}

Operand ReportPlan::operandFor(const FieldRef &ref, const QString &where)
{
    std::optional<Operand> operand;
    if (ref.kind == FieldRef::Kind::Database)
        operand = operandFor(FormulaReference{FormulaReference::Kind::Field, ref.table, ref.name});
    else if (ref.kind == FieldRef::Kind::Formula)
        operand = operandFor(FormulaReference{FormulaReference::Kind::Formula, QString(), ref.name});
    if (!operand)
        throw Failure(LayoutErrors::UnknownReference,
                      QStringLiteral("%1: la referència %2 no és cap camp ni fórmula de l'informe.")
                          .arg(where, ref.toText()));
    return *operand;
}

int ReportPlan::groupLevelFor(const FormulaReference &groupRef) const
{
    for (size_t level = 0; level < m_definition->groups.size(); ++level) {
        const FieldRef &g = m_definition->groups[level].field;
        const bool sameKind = (g.kind == FieldRef::Kind::Database && groupRef.kind == FormulaReference::Kind::Field)
                           || (g.kind == FieldRef::Kind::Formula && groupRef.kind == FormulaReference::Kind::Formula);
        if (!sameKind || !sameName(g.name, groupRef.name))
            continue;
        if (g.kind == FieldRef::Kind::Formula)
            return int(level);
        const TableDefinition *a = m_definition->tableByAlias(g.table);
        const TableDefinition *b = m_definition->tableByAlias(groupRef.table);
        if (a && a == b)
            return int(level);
    }
    return -2;
}

int ReportPlan::summaryFor(const SummaryPlan &plan)
{
    const auto found = std::find(m_summaries.begin(), m_summaries.end(), plan);
    if (found != m_summaries.end())
        return int(found - m_summaries.begin());
    m_summaries.push_back(plan);
    return int(m_summaries.size() - 1);
}

int ReportPlan::summaryFor(const FieldRef &summary, const QString &where)
{
    const bool levelsExist = summary.groupLevel < groupCount() && summary.groupLevel >= -1
                          && summary.percentOfLevel < summary.groupLevel;
    if (!levelsExist)
        throw Failure(LayoutErrors::UnknownReference,
                      QStringLiteral("El resum %1 és d'un grup que no existeix.").arg(where));
    SummaryPlan plan{summary.operation, operandFor(*summary.operand, where), summary.groupLevel, summary.argument,
                     std::nullopt, {-1, -1}};
    if (summaryTakesWeight(summary.operation)) {
        if (!summary.weight)
            throw Failure(LayoutErrors::UnknownReference,
                          QStringLiteral("El resum %1 és una mitjana ponderada sense camp de pes.").arg(where));
        plan.weight = operandFor(*summary.weight, where);
    }
    if (summary.percentOfLevel == FieldRef::NotPercent)
        return summaryFor(plan);
    return percentageFor(plan, summary.percentOfLevel);
}

int ReportPlan::percentageFor(SummaryPlan plan, int outerLevel)
{
    const int part = summaryFor(plan);
    SummaryPlan whole = plan;
    whole.groupLevel = outerLevel;
    plan.percentOf = {part, summaryFor(whole)};
    return summaryFor(plan);
}

int ReportPlan::resolveSummary(SummaryFunction fn, const FormulaReference &operand,
                               const std::optional<FormulaReference> &group)
{
    SummaryRequest request;
    request.function = fn;
    request.operand = operand;
    request.group = group;
    return resolveSummary(request);
}

int ReportPlan::resolveSummary(const SummaryRequest &request)
{
    const std::optional<Operand> o = operandFor(request.operand);
    const std::optional<Operand> weight = request.weight ? operandFor(*request.weight) : std::nullopt;
    if (!o || (request.weight && !weight))
        return -1;
    const int level = request.group ? groupLevelFor(*request.group) : m_reportSummaryLevel;
    if (level == -2)
        return -1;
    const SummaryPlan plan{operationFor(request.function), *o, level, request.argument, weight, {-1, -1}};
    if (!request.percent)
        return slotFor(SlotTarget::Kind::Summary, summaryFor(plan));
    const int outer = request.percentOfGroup ? groupLevelFor(*request.percentOfGroup) : m_reportSummaryLevel;
    if (outer == -2 || outer >= level)
        return -1;
    return slotFor(SlotTarget::Kind::Summary, percentageFor(plan, outer));
}

} // namespace velmora
