#include "engine/layout/OperandSourceTable.h"

namespace velmora {

namespace {

constexpr int noTable = -1; ///< no one table fixes the value
constexpr int noField = -2; ///< reads no field: the same for every record

/// Walks the formulas an operand reads, each at most once. Without records
/// every field counts as coming from one table: what is left to tell is
/// whether the record alone fixes the value.
class SourceTableFinder {
public:
    SourceTableFinder(const ReportPlan &plan, const RecordSet *records)
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
        if (!m_records)
            return 0;
        const int table = m_records->sourceTable(field);
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
    const RecordSet *m_records;
    std::vector<int> m_formulaTables;
};

} // namespace

bool operandReadsOnlyRecord(const ReportPlan &plan, const Operand &operand)
{
    return SourceTableFinder(plan, nullptr).operandTable(operand) != noTable;
}

int operandSourceTable(const ReportPlan &plan, const RecordSet &records, const Operand &operand)
{
    const int table = SourceTableFinder(plan, &records).operandTable(operand);
    return table >= 0 ? table : -1;
}

} // namespace velmora
