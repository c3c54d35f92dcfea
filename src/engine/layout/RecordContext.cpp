#include "engine/layout/RecordContext.h"

#include "engine/layout/LayoutErrors.h"
#include "engine/layout/SummaryAccumulator.h"

namespace velmora {

RecordContext::RecordContext(const ReportPlan &plan, const PreparedRecords &prepared, QDateTime printTime)
    : m_plan(plan), m_prepared(prepared), m_printTime(std::move(printTime)),
      m_formulaValues(size_t(plan.formulaCount())), m_formulaState(size_t(plan.formulaCount()), 0)
{
}

void RecordContext::forgetFormulaValues()
{
    std::fill(m_formulaState.begin(), m_formulaState.end(), quint8(0));
}

void RecordContext::setRecord(qint64 record)
{
    if (record == m_record && m_position < 0)
        return;
    m_record = record;
    m_position = -1;
    forgetFormulaValues();
}

void RecordContext::setPosition(qint64 position)
{
    if (position == m_position && position >= 0)
        return;
    m_position = position;
    m_record = position >= 0 && position < m_prepared.size() ? qint64(m_prepared.order[size_t(position)]) : -1;
    forgetFormulaValues();
}

void RecordContext::setPage(int pageNumber, int totalPages)
{
    if (pageNumber == m_pageNumber && totalPages == m_totalPages)
        return;
    m_pageNumber = pageNumber;
    m_totalPages = totalPages;
    // Formulas may show the page: work them out again.
    forgetFormulaValues();
}

void RecordContext::setSectionGroupLevel(int level)
{
    if (level == m_sectionGroupLevel)
        return;
    m_sectionGroupLevel = level;
    if (m_prepared.anyGathered)
        forgetFormulaValues();
}

std::optional<Value> RecordContext::gatheredGroupName(const Operand &operand) const
{
    if (!m_prepared.anyGathered || m_position < 0)
        return std::nullopt;
    for (int l = 0; l <= m_sectionGroupLevel && size_t(l) < m_prepared.levels.size(); ++l) {
        const GroupLevel &level = m_prepared.levels[size_t(l)];
        const int group = level.groupAt(m_position);
        if (level.isGathered(group) && m_plan.sortKeys()[size_t(l)].operand == operand)
            return level.keys[size_t(group)];
    }
    return std::nullopt;
}

Value RecordContext::evaluate(const Formula &formula)
{
    return formula.evaluate(*this);
}

bool RecordContext::holds(const std::optional<Formula> &condition)
{
    return condition && isTrue(condition->evaluate(*this));
}

Value RecordContext::formulaValue(int index)
{
    quint8 &state = m_formulaState[size_t(index)];
    if (state == 2)
        return m_formulaValues[size_t(index)];
    if (state == 1)
        throw Failure(LayoutErrors::CircularFormula,
                      QStringLiteral("La fórmula @%1 depèn d'ella mateixa.").arg(m_plan.formulaName(index)));
    state = 1;
    try {
        m_formulaValues[size_t(index)] = m_plan.formula(index).evaluate(*this);
    } catch (...) {
        state = 0;
        throw;
    }
    state = 2;
    return m_formulaValues[size_t(index)];
}

Value RecordContext::operandValue(const Operand &operand)
{
    if (m_sectionGroupLevel >= 0)
        if (auto name = gatheredGroupName(operand))
            return *name;
    if (operand.isFormula)
        return formulaValue(operand.index);
    if (m_record < 0)
        return Value();
    return m_prepared.records->value(m_record, operand.index);
}

Value RecordContext::slotValue(int slot)
{
    const SlotTarget &target = m_plan.slotTargets()[size_t(slot)];
    switch (target.kind) {
    case SlotTarget::Kind::Field: return operandValue(Operand{false, target.index});
    case SlotTarget::Kind::Formula: return operandValue(Operand{true, target.index});
    case SlotTarget::Kind::Parameter: return m_plan.parameterValues()[size_t(target.index)];
    case SlotTarget::Kind::RunningTotal: return runningTotalValue(target.index);
    case SlotTarget::Kind::Summary: return summaryValue(target.index);
    }
    return Value();
}

const ParameterValue *RecordContext::parameterValue(int slot)
{
    const SlotTarget &target = m_plan.slotTargets()[size_t(slot)];
    return target.kind == SlotTarget::Kind::Parameter ? &m_plan.parameterSets()[size_t(target.index)] : nullptr;
}

Value RecordContext::unavailable(const QString &what) const
{
    throw Failure(LayoutErrors::NotAvailableWhileReading,
                  QStringLiteral("%1 no es pot fer servir mentre es llegeixen o s'ordenen els registres.").arg(what));
}

Value RecordContext::summaryValue(int summary)
{
    if (!m_prepared.summariesReady)
        return unavailable(QStringLiteral("Un resum"));
    const SummaryPlan &s = m_plan.summaries()[size_t(summary)];
    if (s.groupLevel < 0)
        return m_prepared.reportSummaries[size_t(summary)];
    if (m_position < 0)
        return SummaryAccumulator(s.operation, s.argument).result(); // no records: a count of 0, no sum
    const GroupLevel &level = m_prepared.levels[size_t(s.groupLevel)];
    const int group = level.groupAt(m_position);
    if (group < 0)
        return Value();
    return level.summaries[size_t(summary)][size_t(group)];
}

Value RecordContext::runningTotalValue(int index)
{
    if (!m_prepared.runningTotalsReady)
        return unavailable(QStringLiteral("Un total acumulat"));
    if (m_position < 0)
        return Value();
    return m_prepared.runningTotals[size_t(index)][size_t(m_position)];
}

Value RecordContext::specialValue(SpecialValue which)
{
    switch (which) {
    case SpecialValue::PageNumber: return Value::integer(m_pageNumber);
    case SpecialValue::TotalPageCount: return Value::integer(m_totalPages);
    case SpecialValue::PageNofM:
        return Value::string(QStringLiteral("Pàgina %1 de %2").arg(m_pageNumber).arg(m_totalPages));
    case SpecialValue::PrintDate: return Value::date(DateTime::fromDate(m_printTime.date()));
    case SpecialValue::PrintTime: return Value::time(DateTime::fromTime(m_printTime.time()));
    case SpecialValue::RecordNumber: return Value::integer(m_position + 1);
    case SpecialValue::GroupNumber: {
        if (m_prepared.levels.empty() || m_position < 0)
            return Value::integer(1);
        return Value::integer(m_prepared.levels.back().groupAt(m_position) + 1);
    }
    case SpecialValue::DesignValue: return m_designValue;
    case SpecialValue::ObjectValue: return m_objectValue;
    }
    return Value();
}

} // namespace velmora
