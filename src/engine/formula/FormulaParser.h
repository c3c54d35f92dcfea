#pragma once

#include "engine/formula/FormulaToken.h"
#include "engine/formula/SyntaxTree.h"

#include <QString>

#include <initializer_list>
#include <vector>

namespace velmora {

/// Builds the syntax tree of a formula from its tokens by recursive descent,
/// one function per precedence level. Throws a 40xx Failure naming the place
/// and what was expected there; nesting and tree depth are bounded so that
/// neither parsing nor evaluation can run out of stack.
class FormulaParser {
public:
    FormulaParser(std::vector<FormulaToken> tokens, const QString &formulaName);

    SyntaxTree parse();

private:
    int parseExpression();
    int parseOr();
    int parseAnd();
    int parseNot();
    int parseComparison();
    int parseInTail(int subject, FormulaPosition at);
    int parseConcatenation();
    int parseAdditive();
    int parseMultiplicative();
    int parseUnary();
    int parsePower();
    int parsePrimary();
    int parseConditional();
    int parseNamed();
    int parseCall(const FormulaToken &name);
    std::vector<int> parseArguments();
    bool isParameterReference(int index) const;
    int parseParameterSummary(const FormulaToken &name, SummaryFunction function, int parameter);
    int parseSummary(const FormulaToken &name, const std::vector<int> &arguments);
    double summaryArgument(const FormulaToken &name, int argument, SummaryFunction fn);

    const FormulaToken &current() const { return m_tokens[m_index]; }
    const FormulaToken &take() { return m_tokens[m_index < m_tokens.size() - 1 ? m_index++ : m_index]; }
    bool atSymbol(QStringView symbol) const;
    bool atKeyword(QStringView keyword) const;
    bool acceptSymbol(QStringView symbol);
    bool acceptKeyword(QStringView keyword);
    void expectSymbol(QStringView symbol);
    void expectKeyword(QStringView keyword);
    [[noreturn]] void failExpected(const QString &expected) const;
    [[noreturn]] void fail(qint32 number, FormulaPosition at, const QString &what) const;

    int addNode(SyntaxNode node, std::initializer_list<int> children = {});
    int addNode(SyntaxNode node, const std::vector<int> &children);
    int addBinary(BinaryOperator op, int left, int right, FormulaPosition at);
    int addConstant(Value value, FormulaPosition at);
    int addReference(const FormulaToken &token);

    class NestingGuard;

    std::vector<FormulaToken> m_tokens;
    const QString &m_formulaName;
    size_t m_index = 0;
    int m_nesting = 0;
    SyntaxTree m_tree;
};

} // namespace velmora
