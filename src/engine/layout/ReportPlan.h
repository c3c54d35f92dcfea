#pragma once

// A report definition compiled for laying out: every formula parsed and bound,
// every database field the report reads listed once, every summary and
// running total the report shows numbered. Built once per layout; read-only
// afterwards, so any thread may use it.

#include "engine/definition/ReportDefinition.h"
#include "engine/formula/Formula.h"
#include "engine/layout/ObjectLook.h"
#include "engine/layout/Operand.h"
#include "engine/layout/PropertyPlan.h"
#include "engine/layout/RecordSet.h"

#include <QImage>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace velmora {

struct CrossTabPlan;

/// What a formula slot stands for.
struct SlotTarget {
    enum class Kind : quint8 { Field, Formula, Parameter, RunningTotal, Summary };
    Kind kind = Kind::Field;
    int index = 0;
};


struct SummaryPlan {
    SummaryOperation operation = SummaryOperation::Sum;
    Operand operand;
    int groupLevel = -1; ///< -1: the whole report
    double argument = 0;
    std::optional<Operand> weight;
    /// A percentage: 100 × summary `percentOf[0]` / summary `percentOf[1]`
    /// (the same summary over an outer level); {-1, -1} for a plain summary.
    std::array<int, 2> percentOf{-1, -1};

    bool isPercentage() const { return percentOf[0] >= 0; }
    bool operator==(const SummaryPlan &) const = default;
};

/// A group level ordered by one of its summaries (docs/layout.md).
struct RankingPlan {
    int summary = -1; ///< of the ranked level
    SortDirection direction = SortDirection::Descending;
    std::optional<qint64> keep; ///< groups kept in each outer group
    bool keepTies = false;
    bool gatherRest = false;
    QString restName;
};

struct RunningTotalPlan {
    SummaryOperation operation = SummaryOperation::Sum;
    Operand operand;
    double argument = 0;
    std::optional<Operand> weight;
    std::optional<Formula> condition;
    int resetGroupLevel = -1;
};

struct SortKeyPlan {
    Operand operand;
    SortDirection direction = SortDirection::Ascending;
};

/// A chart's numbers compiled: the summary of each series (Groups,
/// GroupPairs), or the x and the y of each series (Records).
struct ChartPlan {
    std::vector<int> summaries;
    std::optional<Operand> x;
    std::vector<Operand> ys;
};

/// How one report object gets its text: literal pieces and compiled values.
struct ObjectPlan {
    struct Piece {
        QString literal;
        std::optional<Formula> formula; ///< a reference or special value
        int summary = -1;               ///< a summary field's plan
        bool reportTitle = false;
    };
    /// Field: one piece; Text: literals and references; Subreport: the
    /// container's field of each link.
    std::vector<Piece> pieces;
    std::optional<Formula> suppress;
    QImage picture; ///< Picture: decoded once
    std::shared_ptr<const ChartPlan> chart; ///< Chart
    std::vector<PropertyPlan> properties; ///< formatting formulas
    ObjectLook look; ///< as the file fixes it; formulas change a copy
    std::shared_ptr<const CrossTabPlan> crossTab; ///< CrossTab
};

struct SectionPlan {
    std::optional<Formula> suppress;
    std::vector<ObjectPlan> objects; ///< parallel to the definition's objects
    bool hasFixedHeight = true;      ///< nothing grows, nothing is suppressed per record
    std::vector<PropertyPlan> properties; ///< formatting formulas
};

class ReportPlan : public FormulaBinder {
public:
    /// Compiles `definition`; `parameters` override the defaults.
    /// Throws Failure for syntax errors and unknown references.
    /// `reportSummaryLevel` is the group level that summaries without a group
    /// belong to: -1 (the whole report) except in a subreport, whose report
    /// totals are those of one link value.
    ReportPlan(std::shared_ptr<const ReportDefinition> definition,
               const ParameterValues &parameters, int reportSummaryLevel = -1);

    const ReportDefinition &definition() const { return *m_definition; }

    const std::vector<FieldKey> &fields() const { return m_fields; }
    const std::vector<SlotTarget> &slotTargets() const { return m_slots; }
    const Formula &formula(int index) const { return m_formulas[size_t(index)]; }
    const QString &formulaName(int index) const { return m_formulaNames[size_t(index)]; }
    int formulaCount() const { return int(m_formulas.size()); }
    /// Each parameter read as one value (see parameterAsValue), in the report's order.
    const std::vector<Value> &parameterValues() const { return m_parameterValues; }
    /// Everything each parameter holds, in the report's order.
    const std::vector<ParameterValue> &parameterSets() const { return m_parameterSets; }
    const std::vector<SummaryPlan> &summaries() const { return m_summaries; }
    const std::vector<RunningTotalPlan> &runningTotals() const { return m_runningTotals; }
    /// The y operands of every chart of records, each once.
    const std::vector<Operand> &chartRecordOperands() const { return m_chartRecordOperands; }
    const std::optional<Formula> &recordSelection() const { return m_recordSelection; }
    /// Group keys outermost first, then the sort fields.
    const std::vector<SortKeyPlan> &sortKeys() const { return m_sortKeys; }
    int groupCount() const { return int(m_definition->groups.size()); }
    const std::optional<Formula> &groupSelection(int level) const { return m_groupSelections[size_t(level)]; }
    const std::optional<RankingPlan> &ranking(int level) const { return m_rankings[size_t(level)]; }
    bool hasRanking() const;
    const SectionPlan &section(int index) const { return m_sections[size_t(index)]; }
    /// True when some part of the report shows the total page count, so the
    /// first page can only be shown once every page is counted.
    bool needsPageCount() const { return m_needsPageCount; }
    /// The group level that stands for the whole report (see the constructor).
    int reportSummaryLevel() const { return m_reportSummaryLevel; }

    // FormulaBinder
    int resolve(const FormulaReference &ref) override;
    int resolveSummary(SummaryFunction fn, const FormulaReference &operand,
                       const std::optional<FormulaReference> &group) override;
    int resolveSummary(const SummaryRequest &request) override;

private:
    int fieldIndex(const QString &alias, const QString &field);
    int slotFor(SlotTarget::Kind kind, int index);
    std::optional<Operand> operandFor(const FormulaReference &ref);
    Operand operandFor(const FieldRef &ref, const QString &where);
    int groupLevelFor(const FormulaReference &groupRef) const;
    int summaryFor(const SummaryPlan &plan);
    int summaryFor(const FieldRef &summary, const QString &where);
    int percentageFor(SummaryPlan plan, int outerLevel);
    std::optional<RankingPlan> compileRanking(const GroupDefinition &group, int level);
    std::optional<qint64> keptGroups(const GroupRanking &ranking, int level) const;
    std::optional<Formula> compile(const FormulaText &text, const QString &name);
    void compileFormulas();
    void refuseCircularFormulas() const;
    void compileKeys();
    void compileRunningTotals();
    void compileSections();
    ObjectPlan compileObject(const ReportObject &object);
    std::shared_ptr<const ChartPlan> compileChart(const ChartDefinition &chart, const QString &where);
    std::vector<PropertyPlan> compileProperties(const std::vector<PropertyFormula> &formulas, const QString &owner);
    /// The background formulas of a section or a cross-tab style, reading
    /// `background` as DesignValue.
    std::vector<PropertyPlan> compileBackground(const std::vector<PropertyFormula> &formulas,
                                                std::optional<QRgb> background, const QString &owner);
    std::shared_ptr<const CrossTabPlan> compileCrossTab(const ReportObject &object);
    ObjectPlan::Piece pieceFor(const FieldRef &ref, const ReportObject &object);
    void compileText(const ReportObject &object, ObjectPlan &plan);
    void noteSpecials(const Formula &formula);

    std::shared_ptr<const ReportDefinition> m_definition;
    std::vector<FieldKey> m_fields;
    std::vector<SlotTarget> m_slots;
    std::vector<Formula> m_formulas;
    std::vector<QString> m_formulaNames;
    std::vector<Value> m_parameterValues;
    std::vector<ParameterValue> m_parameterSets;
    std::vector<SummaryPlan> m_summaries;
    std::vector<RunningTotalPlan> m_runningTotals;
    std::vector<Operand> m_chartRecordOperands;
    std::optional<Formula> m_recordSelection;
    std::vector<SortKeyPlan> m_sortKeys;
    std::vector<std::optional<Formula>> m_groupSelections;
    std::vector<std::optional<RankingPlan>> m_rankings;
    std::vector<SectionPlan> m_sections;
    bool m_needsPageCount = false;
    int m_reportSummaryLevel = -1;
};

} // namespace velmora
