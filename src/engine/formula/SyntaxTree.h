#pragma once

#include "engine/core/Value.h"
#include "engine/formula/FormulaReference.h"
#include "engine/formula/FormulaPosition.h"
#include "engine/formula/PageAndPrintValues.h"
#include "engine/formula/SummaryFunction.h"

#include <vector>

namespace velmora {

struct FunctionDefinition;

enum class NodeKind : quint8 {
    Constant,
    Reference,   ///< reads `slot`
    Summary,     ///< reads `slot`; `reference` and `groupReference` name it
    Special,
    Negate,
    Not,
    Binary,      ///< `op` on two children, both always evaluated
    And,         ///< stops at the first False
    Or,          ///< stops at the first True
    Conditional, ///< if/then/else and IIF: only the chosen branch is evaluated
    Choose,
    Switch,
    Call,
    InList,      ///< first child in the rest
    InRange,     ///< first child between the second and the third
    InParameter, ///< first child among the values of the parameter the second child reads
    ParameterSummary, ///< `summary` (Minimum, Maximum, Count) of the parameter the child reads
};

enum class BinaryOperator : quint8 {
    Add, Subtract, Multiply, Divide, IntegerDivide, Modulo, Power, Concatenate,
    Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual, Like, Xor,
};

/// One node of a parsed formula. Children live in SyntaxTree::children from
/// `firstChild` on, so that a tree is a pair of flat vectors, cheap to copy
/// and to walk.
struct SyntaxNode {
    NodeKind kind = NodeKind::Constant;
    BinaryOperator op = BinaryOperator::Add;
    SpecialValue special = SpecialValue::PageNumber;
    SummaryFunction summary = SummaryFunction::Sum;
    /// What the node surely gives, Null when only evaluation can tell.
    ValueType staticType = ValueType::Null;
    int firstChild = 0;
    int childCount = 0;
    int slot = -1;
    int reference = -1;      ///< index into SyntaxTree::references
    int groupReference = -1; ///< index into SyntaxTree::references, summaries only
    int weightReference = -1;  ///< summaries only: WeightedAverage's weight
    int percentReference = -1; ///< percentages only: the outer group; -1 the report
    bool percent = false;      ///< summaries only: PercentOf...
    double summaryArgument = 0; ///< summaries only: N or P
    int depth = 1;
    const FunctionDefinition *function = nullptr;
    Value constant;
    FormulaPosition position;
};

/// A parsed formula: its nodes, the child lists and the references read.
struct SyntaxTree {
    std::vector<SyntaxNode> nodes;
    std::vector<int> children;
    std::vector<FormulaReference> references;
    int root = -1;

    const SyntaxNode &child(const SyntaxNode &node, int i) const { return nodes[size_t(children[size_t(node.firstChild + i)])]; }
    int childIndex(const SyntaxNode &node, int i) const { return children[size_t(node.firstChild + i)]; }
};

} // namespace velmora
