#include "engine/layout/OperandSourceTable.h"

namespace velmora {

namespace {

constexpr int noTable = -1; ///< no one table fixes the value
constexpr int noField = -2; ///< reads no field: the same for every record

/// Walks the formulas an operand reads, each at most once.
class SourceTableFinder {
public:
    SourceTableFinder(const ReportPlan &plan, const RecordSet &records)
        : m_plan(plan), m_records(records), m_formulaTables(size_t(plan.formulaCount()), unknown)
    {
    }

    int operandTable(const Operand &operand)
    {
        return operand.isFormula ? formulaTable(operand.index) : fieldTable(operand.index);
    }

private:
    static constexpr int unknown = -3;

    int fieldTable(int field) const
    {
        const int table = m_records.sourceTable(field);
        return table >= 0 ? table : noTable;
    }

    int formulaTable(int index)
    {
        int &known = m_formulaTables[size_t(index)];
        if (known == unknown) {
            known = noTable; // while it is walked: a circle (refused by the plan anyway) ends here
            known = readTable(m_plan.formula(index));
        }
        return known;
    }

    int readTable(const Formula &formula)
    {
        if (!formula.readsOnlyReferences())
            return noTable;
        int table = noField;
        for (const int slot : formula.referenceSlots()) {
            table = together(table, slotTable(slot));
            if (table == noTable)
                break;
        }
        return table;
    }

    int slotTable(int slot)
    {
        const SlotTarget &target = m_plan.slotTargets()[size_t(slot)];
        switch (target.kind) {
        case SlotTarget::Kind::Field: return fieldTable(target.index);
        case SlotTarget::Kind::Formula: return formulaTable(target.index);
        case SlotTarget::Kind::Parameter: return noField;
        case SlotTarget::Kind::RunningTotal:
        case SlotTarget::Kind::Summary: return noTable;
        }
        return noTable;
    }

    static int together(int a, int b)
    {
        if (a == noField)
            return b;
        if (b == noField)
            return a;
        return a == b ? a : noTable;
    }

    const ReportPlan &m_plan;
    const RecordSet &m_records;
    std::vector<int> m_formulaTables;
};

/// Whether formula `index` reads only what its record fixes; `walking`
/// marks the formulas on the way down, so that a circle ends.
bool formulaReadsOnlyRecord(const ReportPlan &plan, int index, std::vector<bool> &walking)
{
    const Formula &formula = plan.formula(index);
    if (walking[size_t(index)] || !formula.readsOnlyReferences())
        return false;
    walking[size_t(index)] = true;
    bool only = true;
    for (const int slot : formula.referenceSlots()) {
        const SlotTarget &target = plan.slotTargets()[size_t(slot)];
        if (target.kind == SlotTarget::Kind::Formula)
            only = formulaReadsOnlyRecord(plan, target.index, walking);
        else
            only = target.kind == SlotTarget::Kind::Field || target.kind == SlotTarget::Kind::Parameter;
        if (!only)
            break;
    }
    walking[size_t(index)] = false;
    return only;
}

} // namespace

bool operandReadsOnlyRecord(const ReportPlan &plan, const Operand &operand)
{
    std::vector<bool> walking(size_t(plan.formulaCount()), false);
    return !operand.isFormula || formulaReadsOnlyRecord(plan, operand.index, walking);
}

int operandSourceTable(const ReportPlan &plan, const RecordSet &records, const Operand &operand)
{
    const int table = SourceTableFinder(plan, records).operandTable(operand);
    return table >= 0 ? table : -1;
}

} // namespace velmora
