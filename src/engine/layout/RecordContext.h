#pragma once

#include "engine/formula/Formula.h"
#include "engine/layout/PreparedRecords.h"
#include "engine/layout/ReportPlan.h"

#include <QDateTime>

namespace velmora {

/// What formulas see while the engine stands on one record: its fields, the
/// report's formulas (each worked out once per record), parameters, the
/// summaries of the groups holding it, running totals, and the page.
class RecordContext : public EvaluationContext {
public:
    RecordContext(const ReportPlan &plan, const PreparedRecords &prepared, QDateTime printTime);

    /// Stand on a record of the joined set before it has a place in the
    /// report (record selection, sorting): summaries are not known yet.
    void setRecord(qint64 record);
    /// Stand on the record at `position` of the report's order (-1: none,
    /// as on a page of a report without records).
    void setPosition(qint64 position);
    void setPage(int pageNumber, int totalPages);
    /// The group level whose header or footer is being built, -1 for other
    /// sections: there a group that gathers the rest shows its name in place
    /// of its field.
    void setSectionGroupLevel(int level);
    /// What DesignValue and ObjectValue give while a formatting formula is
    /// evaluated: the property's fixed value and the object's value.
    void setFormattingValues(Value designValue, Value objectValue)
    {
        m_designValue = std::move(designValue);
        m_objectValue = std::move(objectValue);
    }

    qint64 position() const { return m_position; }
    const PreparedRecords &prepared() const { return m_prepared; }
    const ReportPlan &plan() const { return m_plan; }
    Value evaluate(const Formula &formula);
    Value formulaValue(int index);
    Value operandValue(const Operand &operand);
    /// True only for a Boolean true; no formula at all counts as false.
    bool holds(const std::optional<Formula> &condition);
    /// The value of summary number `summary` for the groups holding this record.
    Value summaryOf(int summary) { return summaryValue(summary); }

    Value slotValue(int slot) override;
    Value specialValue(SpecialValue which) override;
    const ParameterValue *parameterValue(int slot) override;

private:
    void forgetFormulaValues();
    Value summaryValue(int summary);
    Value runningTotalValue(int index);
    Value unavailable(const QString &what) const;
    std::optional<Value> gatheredGroupName(const Operand &operand) const;

    const ReportPlan &m_plan;
    const PreparedRecords &m_prepared;
    QDateTime m_printTime;
    qint64 m_record = -1;
    qint64 m_position = -1;
    int m_pageNumber = 1;
    int m_totalPages = 0;
    int m_sectionGroupLevel = -1;
    std::vector<Value> m_formulaValues;
    std::vector<quint8> m_formulaState; ///< 0 not worked out, 1 in progress, 2 done
    Value m_designValue;
    Value m_objectValue;
};

} // namespace velmora
