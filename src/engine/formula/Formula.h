#pragma once

#include "engine/core/Value.h"
#include "engine/formula/EvaluationContext.h"
#include "engine/formula/FormulaBinder.h"
#include "engine/formula/FormulaReference.h"
#include "engine/formula/PageAndPrintValues.h"
#include "engine/formula/SyntaxTree.h"

#include <QString>

#include <vector>

namespace velmora {

/// A formula of a report, parsed once, bound once to the report's slots and
/// then evaluated for every record without looking any name up. The
/// language is described in docs/formulas.md. Parsing and binding fail with
/// 40xx, evaluation with 45xx; every message names the formula and its line
/// and column in the report file. A copy is independent of the original.
class Formula {
public:
    /// `line` and `column` are where the text starts in the report file.
    static Formula parse(const QString &text, const QString &name = {}, int line = 1, int column = 1);

    const QString &name() const { return m_name; }
    /// Every reference in the text, in order, those inside summaries too.
    std::vector<FormulaReference> references() const;
    bool usesSpecialValue(SpecialValue which) const;
    /// True when the result is the same for every record and page.
    bool isConstant() const;
    /// True when the result depends on nothing but the references the
    /// formula reads (no summary, page or print value).
    bool readsOnlyReferences() const;
    /// The slots the references were bound to (see bind), in order.
    std::vector<int> referenceSlots() const;
    /// The type the result surely has, Null when only evaluation can tell.
    ValueType resultType() const;

    /// Asks the binder for the slot of each reference and summary; may be
    /// called again to bind to another report.
    void bind(FormulaBinder &binder);
    Value evaluate(EvaluationContext &context) const;

private:
    Formula(SyntaxTree tree, QString name);
    [[noreturn]] void failUnbound(qint32 number, const SyntaxNode &node, const QString &what) const;
    SummaryRequest summaryRequest(const SyntaxNode &node) const;
    QString unboundSummaryText(const SyntaxNode &node) const;

    SyntaxTree m_tree;
    QString m_name;
};

/// The truth of a condition's result, as record selection reads it: only
/// the Boolean True is true; False, Null and any other value are false.
bool isTrue(const Value &value);

} // namespace velmora
