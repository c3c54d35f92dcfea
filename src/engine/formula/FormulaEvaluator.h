#pragma once

#include "engine/formula/EvaluationContext.h"
#include "engine/formula/SyntaxTree.h"

namespace velmora {

/// Walks a bound syntax tree for one record, reading slots and special values
/// from the context. Raises EvaluationFault with the failing node set.
class FormulaEvaluator {
public:
    FormulaEvaluator(const SyntaxTree &tree, EvaluationContext &context) : m_tree(tree), m_context(context) {}

    Value evaluate(int index) const;

private:
    Value evaluateNode(const SyntaxNode &node) const;
    Value evaluateChild(const SyntaxNode &node, int i) const { return evaluate(m_tree.childIndex(node, i)); }
    Value evaluateBinary(const SyntaxNode &node) const;
    /// `and` (decisive False) and `or` (decisive True), stopping early.
    Value evaluateJunction(const SyntaxNode &node, bool decisive) const;
    Value evaluateNot(const SyntaxNode &node) const;
    Value evaluateConditional(const SyntaxNode &node) const;
    Value evaluateChoose(const SyntaxNode &node) const;
    Value evaluateSwitch(const SyntaxNode &node) const;
    Value evaluateCall(const SyntaxNode &node) const;
    Value evaluateInList(const SyntaxNode &node) const;
    Value evaluateInRange(const SyntaxNode &node) const;
    const ParameterValue &parameterOf(const SyntaxNode &node, int i) const;
    Value summariseParameter(const SyntaxNode &node) const;
    Value readSlot(const SyntaxNode &node) const;
    /// A condition operand: Null stays Null, a non-Boolean fails.
    Value truthOperand(const SyntaxNode &node, int i) const;

    const SyntaxTree &m_tree;
    EvaluationContext &m_context;
};

} // namespace velmora
