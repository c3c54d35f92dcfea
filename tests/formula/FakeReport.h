#pragma once

#include "engine/formula/EvaluationContext.h"
#include "engine/formula/Formula.h"
#include "engine/formula/FormulaBinder.h"

#include <QList>
#include <QPair>

#include <map>

/// A small report for formula tests: one record of named fields, formulas,
/// parameters and running totals, a few summaries and fixed special values.
/// It binds and evaluates formulas the way the layout engine will.
class FakeReport : public velmora::FormulaBinder, public velmora::EvaluationContext {
public:
    FakeReport();

    void set(const QString &reference, const velmora::Value &value);
    void setSummary(const QString &key, const velmora::Value &value);
    /// A parameter holding several values or ranges: `reference` reads as its display text.
    void setParameter(const QString &reference, const velmora::ParameterValue &value);

    int resolve(const velmora::FormulaReference &ref) override;
    int resolveSummary(velmora::SummaryFunction fn, const velmora::FormulaReference &operand,
                       const std::optional<velmora::FormulaReference> &group) override;
    velmora::Value slotValue(int slot) override;
    velmora::Value specialValue(velmora::SpecialValue which) override;
    const velmora::ParameterValue *parameterValue(int slot) override;

    /// Parses, binds and evaluates.
    velmora::Value evaluate(const QString &text);

    static QString summaryKey(velmora::SummaryFunction fn, const QString &operand, const QString &group);

private:
    int slotOf(const QString &key) const;

    QList<QPair<QString, velmora::Value>> m_slots;
    std::map<int, velmora::ParameterValue> m_parameters;
};

/// "Integer 7", "String abc", "Null ": a value's type and plain text, for table-driven comparisons.
QString describeValue(const velmora::Value &value);
