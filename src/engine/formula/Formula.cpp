#include "engine/formula/Formula.h"

#include "engine/core/Failure.h"
#include "engine/formula/EvaluationFault.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FormulaEvaluator.h"
#include "engine/formula/FormulaLexer.h"
#include "engine/formula/FormulaLocation.h"
#include "engine/formula/FormulaParser.h"

#include <algorithm>

namespace velmora {

Formula::Formula(SyntaxTree tree, QString name) : m_tree(std::move(tree)), m_name(std::move(name)) {}

Formula Formula::parse(const QString &text, const QString &name, int line, int column)
{
    FormulaLexer lexer(text, name, FormulaPosition{line, column});
    FormulaParser parser(lexer.tokenize(), name);
    return Formula(parser.parse(), name);
}

std::vector<FormulaReference> Formula::references() const
{
    return m_tree.references;
}

bool Formula::usesSpecialValue(SpecialValue which) const
{
    return std::any_of(m_tree.nodes.begin(), m_tree.nodes.end(), [which](const SyntaxNode &node) {
        return node.kind == NodeKind::Special && node.special == which;
    });
}

bool Formula::isConstant() const
{
    return std::none_of(m_tree.nodes.begin(), m_tree.nodes.end(), [](const SyntaxNode &node) {
        return node.kind == NodeKind::Reference || node.kind == NodeKind::Summary || node.kind == NodeKind::Special;
    });
}

bool Formula::readsOnlyReferences() const
{
    return std::none_of(m_tree.nodes.begin(), m_tree.nodes.end(), [](const SyntaxNode &node) {
        return node.kind == NodeKind::Summary || node.kind == NodeKind::Special;
    });
}

std::vector<int> Formula::referenceSlots() const
{
    std::vector<int> bound;
    for (const SyntaxNode &node : m_tree.nodes)
        if (node.kind == NodeKind::Reference)
            bound.push_back(node.slot);
    return bound;
}

ValueType Formula::resultType() const
{
    return m_tree.root < 0 ? ValueType::Null : m_tree.nodes[size_t(m_tree.root)].staticType;
}

void Formula::failUnbound(qint32 number, const SyntaxNode &node, const QString &what) const
{
    throw Failure(number, QStringLiteral("Error a %1: %2.").arg(formulaLocation(m_name, node.position), what));
}

void Formula::bind(FormulaBinder &binder)
{
    for (SyntaxNode &node : m_tree.nodes) {
        if (node.kind == NodeKind::Reference) {
            const FormulaReference &ref = m_tree.references[size_t(node.reference)];
            node.slot = binder.resolve(ref);
            if (node.slot < 0)
                failUnbound(FormulaErrors::UnknownReference, node, QStringLiteral("%1 no existeix en aquest informe").arg(ref.toText()));
        } else if (node.kind == NodeKind::Summary) {
            node.slot = binder.resolveSummary(summaryRequest(node));
            if (node.slot < 0)
                failUnbound(FormulaErrors::UnknownSummary, node, unboundSummaryText(node));
        }
    }
}

SummaryRequest Formula::summaryRequest(const SyntaxNode &node) const
{
    const auto referenceAt = [this](int index) -> std::optional<FormulaReference> {
        if (index < 0)
            return std::nullopt;
        return m_tree.references[size_t(index)];
    };
    SummaryRequest request;
    request.function = node.summary;
    request.operand = m_tree.references[size_t(node.reference)];
    request.group = referenceAt(node.groupReference);
    request.argument = node.summaryArgument;
    request.weight = referenceAt(node.weightReference);
    request.percent = node.percent;
    request.percentOfGroup = referenceAt(node.percentReference);
    return request;
}

QString Formula::unboundSummaryText(const SyntaxNode &node) const
{
    const SummaryRequest request = summaryRequest(node);
    if (request.percent && request.group && request.percentOfGroup)
        return QStringLiteral("no es pot resumir %1 pels grups de %2 com a part dels grups de %3: el camp o els grups no "
                              "existeixen, o el segon grup no és més extern que el primer")
            .arg(request.operand.toText(), request.group->toText(), request.percentOfGroup->toText());
    if (request.group)
        return QStringLiteral("no es pot resumir %1 pels grups de %2: el camp o el grup no existeixen")
            .arg(request.operand.toText(), request.group->toText());
    return QStringLiteral("no es pot resumir %1: no existeix en aquest informe").arg(request.operand.toText());
}

Value Formula::evaluate(EvaluationContext &context) const
{
    try {
        return FormulaEvaluator(m_tree, context).evaluate(m_tree.root);
    } catch (const EvaluationFault &fault) {
        const SyntaxNode &node = m_tree.nodes[size_t(std::max(fault.node, 0))];
        throw Failure(fault.number, QStringLiteral("Error en avaluar %1: %2.").arg(formulaLocation(m_name, node.position), fault.message));
    }
}

bool isTrue(const Value &value)
{
    return value.type() == ValueType::Boolean && value.asBoolean();
}

} // namespace velmora
