#include "engine/formula/FormulaEvaluator.h"

#include "engine/formula/ArithmeticOperators.h"
#include "engine/formula/EvaluationFault.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FormulaLimits.h"
#include "engine/formula/FunctionArguments.h"
#include "engine/formula/FunctionDefinition.h"
#include "engine/formula/ParameterValueReading.h"
#include "engine/formula/TextConcatenation.h"
#include "engine/formula/TypeDescription.h"
#include "engine/formula/ValueComparison.h"

#include <array>
#include <vector>

namespace velmora {

namespace {

Value compareWith(BinaryOperator op, const Value &a, const Value &b)
{
    if (op == BinaryOperator::Like) {
        if (a.type() != ValueType::String || b.type() != ValueType::String)
            raiseFault(FormulaErrors::TypeMismatch, QStringLiteral("like compara un text amb un patró de text"));
        return Value::boolean(matchesLikePattern(a.asString(), b.asString()));
    }
    const int order = compareValues(a, b);
    switch (op) {
    case BinaryOperator::Equal: return Value::boolean(order == 0);
    case BinaryOperator::NotEqual: return Value::boolean(order != 0);
    case BinaryOperator::Less: return Value::boolean(order < 0);
    case BinaryOperator::LessOrEqual: return Value::boolean(order <= 0);
    case BinaryOperator::Greater: return Value::boolean(order > 0);
    default: return Value::boolean(order >= 0);
    }
}

void requireTruth(const Value &v)
{
    if (!v.isNull() && v.type() != ValueType::Boolean)
        raiseFault(FormulaErrors::TypeMismatch, QStringLiteral("s'esperava una condició (cert o fals) i s'ha trobat %1").arg(describeType(v.type())));
}

bool isTrueValue(const Value &v) { return v.type() == ValueType::Boolean && v.asBoolean(); }

// Nodes being evaluated on this thread, whichever formula they belong to.
thread_local int evaluationDepth = 0;

class EvaluationDepthGuard {
public:
    EvaluationDepthGuard()
    {
        if (evaluationDepth >= FormulaLimits::maxEvaluationDepth)
            raiseFault(FormulaErrors::EvaluationTooDeep,
                       QStringLiteral("les fórmules es llegeixen les unes a les altres a massa nivells "
                                      "(més de %1)")
                           .arg(FormulaLimits::maxEvaluationDepth));
        ++evaluationDepth;
    }
    ~EvaluationDepthGuard() { --evaluationDepth; }
    EvaluationDepthGuard(const EvaluationDepthGuard &) = delete;
    EvaluationDepthGuard &operator=(const EvaluationDepthGuard &) = delete;
};

} // namespace

Value FormulaEvaluator::evaluate(int index) const
{
    try {
        return evaluateNode(m_tree.nodes[size_t(index)]);
    } catch (EvaluationFault &fault) {
        if (fault.node < 0)
            fault.node = index;
        throw;
    }
}

Value FormulaEvaluator::evaluateNode(const SyntaxNode &node) const
{
    const EvaluationDepthGuard depth;
    switch (node.kind) {
    case NodeKind::Constant: return node.constant;
    case NodeKind::Reference:
    case NodeKind::Summary: return readSlot(node);
    case NodeKind::Special: return m_context.specialValue(node.special);
    case NodeKind::Negate: {
        const Value operand = evaluateChild(node, 0);
        return operand.isNull() ? operand : negateValue(operand);
    }
    case NodeKind::Not: return evaluateNot(node);
    case NodeKind::Binary: return evaluateBinary(node);
    case NodeKind::And: return evaluateJunction(node, false);
    case NodeKind::Or: return evaluateJunction(node, true);
    case NodeKind::Conditional: return evaluateConditional(node);
    case NodeKind::Choose: return evaluateChoose(node);
    case NodeKind::Switch: return evaluateSwitch(node);
    case NodeKind::Call: return evaluateCall(node);
    case NodeKind::InList: return evaluateInList(node);
    case NodeKind::InRange: return evaluateInRange(node);
    case NodeKind::InParameter: return parameterHolds(parameterOf(node, 1), evaluateChild(node, 0));
    case NodeKind::ParameterSummary: return summariseParameter(node);
    }
    return Value();
}

Value FormulaEvaluator::readSlot(const SyntaxNode &node) const
{
    if (node.slot < 0)
        raiseFault(FormulaErrors::NotBound, QStringLiteral("la fórmula s'avalua sense haver resolt les seves referències"));
    return m_context.slotValue(node.slot);
}

Value FormulaEvaluator::evaluateBinary(const SyntaxNode &node) const
{
    const Value left = evaluateChild(node, 0);
    const Value right = evaluateChild(node, 1);
    if (node.op == BinaryOperator::Concatenate)
        return concatenateValues(left, right);
    if (left.isNull() || right.isNull())
        return Value();
    switch (node.op) {
    case BinaryOperator::Add: return addValues(left, right);
    case BinaryOperator::Subtract: return subtractValues(left, right);
    case BinaryOperator::Multiply: return multiplyValues(left, right);
    case BinaryOperator::Divide: return divideValues(left, right);
    case BinaryOperator::IntegerDivide: return integerDivideValues(left, right);
    case BinaryOperator::Modulo: return moduloValues(left, right);
    case BinaryOperator::Power: return powerValues(left, right);
    case BinaryOperator::Xor:
        requireTruth(left);
        requireTruth(right);
        return Value::boolean(left.asBoolean() != right.asBoolean());
    default: return compareWith(node.op, left, right);
    }
}

Value FormulaEvaluator::truthOperand(const SyntaxNode &node, int i) const
{
    Value v = evaluateChild(node, i);
    requireTruth(v);
    return v;
}

Value FormulaEvaluator::evaluateJunction(const SyntaxNode &node, bool decisive) const
{
    // `and` is settled by a False and `or` by a True, whatever the other side; otherwise a Null leaves it unknown.
    const auto settles = [decisive](const Value &v) { return v.type() == ValueType::Boolean && v.asBoolean() == decisive; };
    const Value left = truthOperand(node, 0);
    if (settles(left))
        return left;
    const Value right = truthOperand(node, 1);
    if (settles(right))
        return right;
    return left.isNull() || right.isNull() ? Value() : Value::boolean(!decisive);
}

Value FormulaEvaluator::evaluateNot(const SyntaxNode &node) const
{
    const Value operand = truthOperand(node, 0);
    return operand.isNull() ? operand : Value::boolean(!operand.asBoolean());
}

Value FormulaEvaluator::evaluateConditional(const SyntaxNode &node) const
{
    return evaluateChild(node, isTrueValue(truthOperand(node, 0)) ? 1 : 2);
}

Value FormulaEvaluator::evaluateChoose(const SyntaxNode &node) const
{
    const Value index = evaluateChild(node, 0);
    if (index.isNull())
        return index;
    if (!index.isNumeric())
        raiseFault(FormulaErrors::TypeMismatch, QStringLiteral("Choose: el primer argument ha de ser un nombre"));
    const double position = index.toDouble();
    if (position < 1 || position >= node.childCount)
        return Value();
    return evaluateChild(node, int(position));
}

Value FormulaEvaluator::evaluateSwitch(const SyntaxNode &node) const
{
    for (int i = 0; i + 1 < node.childCount; i += 2) {
        if (isTrueValue(truthOperand(node, i)))
            return evaluateChild(node, i + 1);
    }
    return Value();
}

Value FormulaEvaluator::evaluateCall(const SyntaxNode &node) const
{
    // Most calls take a few arguments: keep them on the stack.
    static constexpr int inlineArguments = 6;
    std::array<Value, inlineArguments> inlineValues;
    std::vector<Value> manyValues;
    std::span<Value> values(inlineValues.data(), size_t(node.childCount));
    if (node.childCount > inlineArguments) {
        manyValues.resize(size_t(node.childCount));
        values = manyValues;
    }
    for (int i = 0; i < node.childCount; ++i) {
        values[size_t(i)] = evaluateChild(node, i);
        if (values[size_t(i)].isNull() && node.function->passesNull)
            return Value();
    }
    return node.function->body(FunctionArguments(node.function->name, values));
}

Value FormulaEvaluator::evaluateInList(const SyntaxNode &node) const
{
    const Value subject = evaluateChild(node, 0);
    if (subject.isNull())
        return subject;
    for (int i = 1; i < node.childCount; ++i) {
        const Value item = evaluateChild(node, i);
        if (!item.isNull() && compareValues(subject, item) == 0)
            return Value::boolean(true);
    }
    return Value::boolean(false);
}

Value FormulaEvaluator::evaluateInRange(const SyntaxNode &node) const
{
    const Value subject = evaluateChild(node, 0);
    const Value low = evaluateChild(node, 1);
    const Value high = evaluateChild(node, 2);
    if (subject.isNull() || low.isNull() || high.isNull())
        return Value();
    return Value::boolean(compareValues(low, subject) <= 0 && compareValues(subject, high) <= 0);
}

const ParameterValue &FormulaEvaluator::parameterOf(const SyntaxNode &node, int i) const
{
    const SyntaxNode &reference = m_tree.child(node, i);
    const ParameterValue *parameter = reference.slot < 0 ? nullptr : m_context.parameterValue(reference.slot);
    if (!parameter)
        raiseFault(FormulaErrors::NotBound, QStringLiteral("el paràmetre no té valors en aquest moment"));
    return *parameter;
}

Value FormulaEvaluator::summariseParameter(const SyntaxNode &node) const
{
    const ParameterValue &parameter = parameterOf(node, 0);
    switch (node.summary) {
    case SummaryFunction::Minimum: return parameterMinimum(parameter);
    case SummaryFunction::Maximum: return parameterMaximum(parameter);
    default: return parameterCount(parameter);
    }
}

} // namespace velmora
