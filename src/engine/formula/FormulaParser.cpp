#include "engine/formula/FormulaParser.h"

#include "engine/core/Failure.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FormulaLimits.h"
#include "engine/formula/FormulaLocation.h"
#include "engine/formula/FunctionDefinition.h"
#include "engine/formula/FunctionLibrary.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace velmora {

using namespace Qt::StringLiterals;

namespace {

struct NamedSpecial {
    QStringView name;
    SpecialValue value;
    ValueType type;
};

constexpr NamedSpecial specialValues[] = {
    {u"PageNumber", SpecialValue::PageNumber, ValueType::Integer},
    {u"TotalPageCount", SpecialValue::TotalPageCount, ValueType::Integer},
    {u"PageNofM", SpecialValue::PageNofM, ValueType::String},
    {u"PrintDate", SpecialValue::PrintDate, ValueType::Date},
    {u"PrintTime", SpecialValue::PrintTime, ValueType::Time},
    {u"RecordNumber", SpecialValue::RecordNumber, ValueType::Integer},
    {u"GroupNumber", SpecialValue::GroupNumber, ValueType::Integer},
    {u"CurrentDate", SpecialValue::PrintDate, ValueType::Date},
    {u"CurrentTime", SpecialValue::PrintTime, ValueType::Time},
    {u"DesignValue", SpecialValue::DesignValue, ValueType::Null},
    {u"ObjectValue", SpecialValue::ObjectValue, ValueType::Null},
};

struct NamedSummary {
    QStringView name;
    SummaryFunction function;
};

constexpr NamedSummary summaryFunctions[] = {
    {u"Sum", SummaryFunction::Sum},
    {u"Count", SummaryFunction::Count},
    {u"DistinctCount", SummaryFunction::DistinctCount},
    {u"Average", SummaryFunction::Average},
    {u"Minimum", SummaryFunction::Minimum},
    {u"Maximum", SummaryFunction::Maximum},
    {u"Median", SummaryFunction::Median},
    {u"Mode", SummaryFunction::Mode},
    {u"NthLargest", SummaryFunction::NthLargest},
    {u"NthSmallest", SummaryFunction::NthSmallest},
    {u"NthMostFrequent", SummaryFunction::NthMostFrequent},
    {u"Percentile", SummaryFunction::Percentile},
    {u"StdDev", SummaryFunction::StdDev},
    {u"PopulationStdDev", SummaryFunction::PopulationStdDev},
    {u"Variance", SummaryFunction::Variance},
    {u"PopulationVariance", SummaryFunction::PopulationVariance},
    {u"WeightedAverage", SummaryFunction::WeightedAverage},
};

/// "PercentOfSum" and the like: a summary as a share of the same summary
/// over an outer group or the whole report.
constexpr QStringView percentPrefix = u"PercentOf";

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

template<typename Table>
auto findNamed(const Table &table, QStringView name) -> const std::remove_extent_t<Table> *
{
    const auto found = std::find_if(std::begin(table), std::end(table), [&](const auto &entry) { return sameName(entry.name, name); });
    return found == std::end(table) ? nullptr : &*found;
}

const NamedSummary *findSummary(QStringView name)
{
    if (name.startsWith(percentPrefix, Qt::CaseInsensitive))
        return findNamed(summaryFunctions, name.mid(percentPrefix.size()));
    return findNamed(summaryFunctions, name);
}

QString summaryUsage(QStringView name, SummaryFunction fn, bool percent)
{
    const bool numberFirst = summaryFunctionTakesArgument(fn);
    const bool weighted = fn == SummaryFunction::WeightedAverage;
    const QString what = (numberFirst ? QStringLiteral("un nombre, ") : QString()) + QStringLiteral("un camp o una fórmula")
                       + (weighted ? QStringLiteral(", el camp del pes") : QString());
    const QString example = name + u'(' + (numberFirst ? (fn == SummaryFunction::Percentile ? u"90, "_s : u"3, "_s) : QString())
                          + u"{Taula.Camp}"_s + (weighted ? u", {Taula.Pes}"_s : QString());
    if (percent)
        return QStringLiteral("%1 espera %2, el camp que fa els grups i, opcionalment, el d'un grup més extern: %3, "
                              "{Taula.Grup}, {Taula.GrupExtern})").arg(name, what, example);
    return QStringLiteral("%1 espera %2 i, opcionalment, el camp que fa els grups: %3, {Taula.Grup})").arg(name, what, example);
}

bool isComparison(BinaryOperator op)
{
    return op >= BinaryOperator::Equal && op <= BinaryOperator::Xor;
}

ValueType binaryType(BinaryOperator op)
{
    if (op == BinaryOperator::Concatenate)
        return ValueType::String;
    return isComparison(op) ? ValueType::Boolean : ValueType::Null;
}

// What a missing `else` gives: the empty value of the type the `then` branch surely has.
Value emptyValueOf(ValueType type)
{
    switch (type) {
    case ValueType::String: return Value::string(QString());
    case ValueType::Boolean: return Value::boolean(false);
    case ValueType::Integer: return Value::integer(0);
    case ValueType::Number: return Value::number(0.0);
    case ValueType::Currency: return Value::currency(Currency{});
    default: return Value::null();
    }
}

QString describe(const FormulaToken &token)
{
    if (token.kind == FormulaToken::Kind::End)
        return QStringLiteral("el final de la fórmula");
    if (token.kind == FormulaToken::Kind::Literal && token.literal.type() == ValueType::String)
        return QStringLiteral("un text");
    return QStringLiteral("«%1»").arg(token.text.isEmpty() ? token.literal.toDebugText() : token.text);
}

const std::optional<BinaryOperator> comparisonOperator(const FormulaToken &token)
{
    if (token.kind == FormulaToken::Kind::Symbol) {
        if (token.text == u"=") return BinaryOperator::Equal;
        if (token.text == u"<>") return BinaryOperator::NotEqual;
        if (token.text == u"<") return BinaryOperator::Less;
        if (token.text == u"<=") return BinaryOperator::LessOrEqual;
        if (token.text == u">") return BinaryOperator::Greater;
        if (token.text == u">=") return BinaryOperator::GreaterOrEqual;
    }
    if (token.kind == FormulaToken::Kind::Identifier && sameName(token.text, u"like"))
        return BinaryOperator::Like;
    return std::nullopt;
}

bool argumentCountAllowed(int count, int minimum, int maximum, quint32 allowed)
{
    if (count < minimum || (maximum >= 0 && count > maximum))
        return false;
    return allowed == 0 || (allowed & (quint32(1) << count)) != 0;
}

QString allowedCountText(int minimum, int maximum, quint32 allowed)
{
    if (allowed != 0) {
        QStringList counts;
        for (int n = minimum; n <= maximum; ++n) {
            if (allowed & (quint32(1) << n))
                counts << QString::number(n);
        }
        const QString last = counts.isEmpty() ? QString() : counts.takeLast();
        return counts.isEmpty() ? last : counts.join(QStringLiteral(", ")) + QStringLiteral(" o ") + last;
    }
    if (minimum == maximum)
        return QString::number(minimum);
    if (maximum < 0)
        return QStringLiteral("almenys %1").arg(minimum);
    return QStringLiteral("de %1 a %2").arg(minimum).arg(maximum);
}

} // namespace

class FormulaParser::NestingGuard {
public:
    explicit NestingGuard(FormulaParser &parser) : m_parser(parser)
    {
        if (++m_parser.m_nesting > FormulaLimits::maxNesting)
            m_parser.fail(FormulaErrors::TooDeeplyNested, m_parser.current().position,
                          QStringLiteral("la fórmula té més de %1 nivells d'expressions niades").arg(FormulaLimits::maxNesting));
    }
    ~NestingGuard() { --m_parser.m_nesting; }
    NestingGuard(const NestingGuard &) = delete;
    NestingGuard &operator=(const NestingGuard &) = delete;

private:
    FormulaParser &m_parser;
};

FormulaParser::FormulaParser(std::vector<FormulaToken> tokens, const QString &formulaName)
    : m_tokens(std::move(tokens)), m_formulaName(formulaName)
{
}

SyntaxTree FormulaParser::parse()
{
    if (current().kind == FormulaToken::Kind::End)
        fail(FormulaErrors::EmptyFormula, current().position, QStringLiteral("la fórmula és buida"));
    m_tree.root = parseExpression();
    if (current().kind != FormulaToken::Kind::End)
        failExpected(QStringLiteral("un operador o el final de la fórmula"));
    return std::move(m_tree);
}

bool FormulaParser::atSymbol(QStringView symbol) const
{
    return current().kind == FormulaToken::Kind::Symbol && current().text == symbol;
}

bool FormulaParser::atKeyword(QStringView keyword) const
{
    return current().kind == FormulaToken::Kind::Identifier && sameName(current().text, keyword);
}

bool FormulaParser::acceptSymbol(QStringView symbol)
{
    if (!atSymbol(symbol))
        return false;
    take();
    return true;
}

bool FormulaParser::acceptKeyword(QStringView keyword)
{
    if (!atKeyword(keyword))
        return false;
    take();
    return true;
}

void FormulaParser::expectSymbol(QStringView symbol)
{
    if (!acceptSymbol(symbol))
        failExpected(QStringLiteral("«%1»").arg(symbol));
}

void FormulaParser::expectKeyword(QStringView keyword)
{
    if (!acceptKeyword(keyword))
        failExpected(QStringLiteral("«%1»").arg(keyword));
}

void FormulaParser::failExpected(const QString &expected) const
{
    fail(FormulaErrors::UnexpectedToken, current().position,
         QStringLiteral("s'esperava %1 i s'ha trobat %2").arg(expected, describe(current())));
}

void FormulaParser::fail(qint32 number, FormulaPosition at, const QString &what) const
{
    throw Failure(number, QStringLiteral("Error de sintaxi a %1: %2.").arg(formulaLocation(m_formulaName, at), what));
}

int FormulaParser::addNode(SyntaxNode node, std::initializer_list<int> children)
{
    return addNode(std::move(node), std::vector<int>(children));
}

int FormulaParser::addNode(SyntaxNode node, const std::vector<int> &children)
{
    node.firstChild = int(m_tree.children.size());
    node.childCount = int(children.size());
    int deepest = 0;
    for (int child : children) {
        m_tree.children.push_back(child);
        deepest = std::max(deepest, m_tree.nodes[size_t(child)].depth);
    }
    node.depth = deepest + 1;
    if (node.depth > FormulaLimits::maxTreeDepth)
        fail(FormulaErrors::TooDeeplyNested, node.position,
             QStringLiteral("la fórmula és massa llarga o massa niada (més de %1 nivells)").arg(FormulaLimits::maxTreeDepth));
    m_tree.nodes.push_back(std::move(node));
    return int(m_tree.nodes.size()) - 1;
}

int FormulaParser::addBinary(BinaryOperator op, int left, int right, FormulaPosition at)
{
    SyntaxNode node;
    node.kind = NodeKind::Binary;
    node.op = op;
    node.staticType = binaryType(op);
    node.position = at;
    return addNode(std::move(node), {left, right});
}

int FormulaParser::addConstant(Value value, FormulaPosition at)
{
    SyntaxNode node;
    node.kind = NodeKind::Constant;
    node.staticType = value.type();
    node.constant = std::move(value);
    node.position = at;
    return addNode(std::move(node));
}

int FormulaParser::addReference(const FormulaToken &token)
{
    m_tree.references.push_back(token.reference);
    SyntaxNode node;
    node.kind = NodeKind::Reference;
    node.reference = int(m_tree.references.size()) - 1;
    node.position = token.position;
    return addNode(std::move(node));
}

int FormulaParser::parseExpression()
{
    NestingGuard guard(*this);
    return parseOr();
}

int FormulaParser::parseOr()
{
    int left = parseAnd();
    for (;;) {
        const FormulaPosition at = current().position;
        if (acceptKeyword(u"or")) {
            SyntaxNode node;
            node.kind = NodeKind::Or;
            node.staticType = ValueType::Boolean;
            node.position = at;
            const int right = parseAnd();
            left = addNode(std::move(node), {left, right});
        } else if (acceptKeyword(u"xor")) {
            left = addBinary(BinaryOperator::Xor, left, parseAnd(), at);
        } else {
            return left;
        }
    }
}

int FormulaParser::parseAnd()
{
    int left = parseNot();
    while (atKeyword(u"and")) {
        SyntaxNode node;
        node.kind = NodeKind::And;
        node.staticType = ValueType::Boolean;
        node.position = take().position;
        const int right = parseNot();
        left = addNode(std::move(node), {left, right});
    }
    return left;
}

int FormulaParser::parseNot()
{
    if (!atKeyword(u"not"))
        return parseComparison();
    NestingGuard guard(*this);
    SyntaxNode node;
    node.kind = NodeKind::Not;
    node.staticType = ValueType::Boolean;
    node.position = take().position;
    const int operand = parseNot();
    return addNode(std::move(node), {operand});
}

int FormulaParser::parseComparison()
{
    int left = parseConcatenation();
    for (;;) {
        const FormulaPosition at = current().position;
        if (const auto op = comparisonOperator(current())) {
            take();
            left = addBinary(*op, left, parseConcatenation(), at);
        } else if (acceptKeyword(u"in")) {
            left = parseInTail(left, at);
        } else {
            return left;
        }
    }
}

int FormulaParser::parseInTail(int subject, FormulaPosition at)
{
    SyntaxNode node;
    node.staticType = ValueType::Boolean;
    node.position = at;
    if (acceptSymbol(u"[")) {
        std::vector<int> children{subject};
        do {
            children.push_back(parseExpression());
        } while (acceptSymbol(u","));
        expectSymbol(u"]");
        node.kind = NodeKind::InList;
        return addNode(std::move(node), children);
    }
    const int low = parseConcatenation();
    if (!atKeyword(u"to") && isParameterReference(low)) {
        node.kind = NodeKind::InParameter;
        return addNode(std::move(node), {subject, low});
    }
    if (!atKeyword(u"to"))
        failExpected(QStringLiteral("«to» (x in a to b), una llista entre [ ] o un paràmetre {?Nom}"));
    take();
    const int high = parseConcatenation();
    node.kind = NodeKind::InRange;
    return addNode(std::move(node), {subject, low, high});
}

int FormulaParser::parseConcatenation()
{
    int left = parseAdditive();
    while (atSymbol(u"&")) {
        const FormulaPosition at = take().position;
        left = addBinary(BinaryOperator::Concatenate, left, parseAdditive(), at);
    }
    return left;
}

int FormulaParser::parseAdditive()
{
    int left = parseMultiplicative();
    while (atSymbol(u"+") || atSymbol(u"-")) {
        const FormulaToken &token = take();
        const BinaryOperator op = token.text == u"+" ? BinaryOperator::Add : BinaryOperator::Subtract;
        left = addBinary(op, left, parseMultiplicative(), token.position);
    }
    return left;
}

int FormulaParser::parseMultiplicative()
{
    int left = parseUnary();
    for (;;) {
        const FormulaPosition at = current().position;
        std::optional<BinaryOperator> op;
        if (atSymbol(u"*"))
            op = BinaryOperator::Multiply;
        else if (atSymbol(u"/"))
            op = BinaryOperator::Divide;
        else if (atSymbol(u"\\"))
            op = BinaryOperator::IntegerDivide;
        else if (atKeyword(u"mod"))
            op = BinaryOperator::Modulo;
        if (!op)
            return left;
        take();
        left = addBinary(*op, left, parseUnary(), at);
    }
}

int FormulaParser::parseUnary()
{
    if (!atSymbol(u"-") && !atSymbol(u"+"))
        return parsePower();
    NestingGuard guard(*this);
    const FormulaToken &sign = take();
    const bool negate = sign.text == u"-";
    SyntaxNode node;
    node.kind = NodeKind::Negate;
    node.position = sign.position;
    const int operand = parseUnary();
    if (!negate)
        return operand;
    node.staticType = m_tree.nodes[size_t(operand)].staticType;
    return addNode(std::move(node), {operand});
}

int FormulaParser::parsePower()
{
    const int base = parsePrimary();
    if (!atSymbol(u"^"))
        return base;
    NestingGuard guard(*this);
    const FormulaPosition at = take().position;
    // Right-associative, and the exponent may carry its own sign: 2^-1, 2^3^2 = 2^9.
    const int exponent = parseUnary();
    const int node = addBinary(BinaryOperator::Power, base, exponent, at);
    m_tree.nodes[size_t(node)].staticType = ValueType::Number;
    return node;
}

int FormulaParser::parsePrimary()
{
    const FormulaToken &token = current();
    switch (token.kind) {
    case FormulaToken::Kind::Literal:
        take();
        return addConstant(token.literal, token.position);
    case FormulaToken::Kind::Reference:
        take();
        return addReference(token);
    case FormulaToken::Kind::Identifier:
        return parseNamed();
    case FormulaToken::Kind::Symbol:
        if (atSymbol(u"(")) {
            take();
            const int inner = parseExpression();
            expectSymbol(u")");
            return inner;
        }
        break;
    case FormulaToken::Kind::End:
        break;
    }
    failExpected(QStringLiteral("un valor, una referència, una funció o «(»"));
}

int FormulaParser::parseConditional()
{
    SyntaxNode node;
    node.kind = NodeKind::Conditional;
    node.position = take().position;
    const int condition = parseExpression();
    expectKeyword(u"then");
    const int whenTrue = parseExpression();
    const ValueType thenType = m_tree.nodes[size_t(whenTrue)].staticType;
    const int whenFalse = acceptKeyword(u"else") ? parseExpression() : addConstant(emptyValueOf(thenType), node.position);
    if (m_tree.nodes[size_t(whenFalse)].staticType == thenType)
        node.staticType = thenType;
    return addNode(std::move(node), {condition, whenTrue, whenFalse});
}

int FormulaParser::parseNamed()
{
    const FormulaToken &token = current();
    if (atKeyword(u"if"))
        return parseConditional();
    if (atKeyword(u"true") || atKeyword(u"false")) {
        take();
        return addConstant(Value::boolean(sameName(token.text, u"true")), token.position);
    }
    if (atKeyword(u"null")) {
        take();
        return addConstant(Value::null(), token.position);
    }
    if (const NamedSpecial *special = findNamed(specialValues, token.text)) {
        take();
        if (acceptSymbol(u"("))
            expectSymbol(u")");
        SyntaxNode node;
        node.kind = NodeKind::Special;
        node.special = special->value;
        node.staticType = special->type;
        node.position = token.position;
        return addNode(std::move(node));
    }
    take();
    return parseCall(token);
}

std::vector<int> FormulaParser::parseArguments()
{
    std::vector<int> arguments;
    if (!acceptSymbol(u"("))
        return arguments;
    if (acceptSymbol(u")"))
        return arguments;
    do {
        if (acceptSymbol(u"[")) {
            // A bracketed list spreads into the arguments: Maximum([a, b, c]).
            do {
                arguments.push_back(parseExpression());
            } while (acceptSymbol(u","));
            expectSymbol(u"]");
        } else {
            arguments.push_back(parseExpression());
        }
    } while (acceptSymbol(u","));
    expectSymbol(u")");
    return arguments;
}

int FormulaParser::parseCall(const FormulaToken &name)
{
    const NamedSummary *summary = findSummary(name.text);
    const FunctionDefinition *function = findFunction(name.text);
    const bool isConditional = sameName(name.text, u"IIF");
    const bool isChoose = sameName(name.text, u"Choose");
    const bool isSwitch = sameName(name.text, u"Switch");
    const bool isCurrentDateTime = sameName(name.text, u"CurrentDateTime");
    if (!summary && !function && !isConditional && !isChoose && !isSwitch && !isCurrentDateTime)
        fail(FormulaErrors::UnknownName, name.position, QStringLiteral("«%1» no és cap funció, paraula clau ni valor especial").arg(name.text));
    if (!atSymbol(u"(") && !isCurrentDateTime)
        failExpected(QStringLiteral("«(» després de %1").arg(name.text));
    const std::vector<int> arguments = parseArguments();
    const int count = int(arguments.size());
    const auto firstIsReference = [&] { return count > 0 && m_tree.nodes[size_t(arguments[0])].kind == NodeKind::Reference; };
    if (summary && (!function || firstIsReference()))
        return parseSummary(name, arguments);

    SyntaxNode node;
    node.position = name.position;
    std::vector<int> children = arguments;
    int minimum = 0;
    int maximum = -1;
    if (isCurrentDateTime) {
        // The moment the report runs, one for all records: PrintDate and PrintTime joined.
        maximum = 0;
        SyntaxNode date;
        date.kind = NodeKind::Special;
        date.special = SpecialValue::PrintDate;
        date.position = name.position;
        SyntaxNode time = date;
        time.special = SpecialValue::PrintTime;
        children = {addNode(std::move(date)), addNode(std::move(time))};
        function = findFunction(u"DateTime");
    } else if (isConditional) {
        node.kind = NodeKind::Conditional;
        minimum = maximum = 3;
    } else if (isChoose) {
        node.kind = NodeKind::Choose;
        minimum = 2;
    } else if (isSwitch) {
        node.kind = NodeKind::Switch;
        minimum = 2;
        if (count % 2 != 0)
            fail(FormulaErrors::WrongArgumentCount, name.position,
                 QStringLiteral("Switch espera parelles de condició i valor, i té %1 arguments").arg(count));
    } else {
        minimum = function->minArguments;
        maximum = function->maxArguments;
    }
    const quint32 allowed = function && !isCurrentDateTime ? function->allowedCounts : 0;
    if (!argumentCountAllowed(count, minimum, maximum, allowed))
        fail(FormulaErrors::WrongArgumentCount, name.position,
             QStringLiteral("%1 espera %2 arguments, i en té %3").arg(name.text, allowedCountText(minimum, maximum, allowed)).arg(count));
    if (function) {
        node.kind = NodeKind::Call;
        node.function = function;
        node.staticType = function->resultType;
    }
    return addNode(std::move(node), children);
}

int FormulaParser::parseSummary(const FormulaToken &name, const std::vector<int> &arguments)
{
    const NamedSummary *summary = findSummary(name.text);
    const bool percent = name.text.startsWith(percentPrefix, Qt::CaseInsensitive);
    const bool numberFirst = summaryFunctionTakesArgument(summary->function);
    const bool weighted = summary->function == SummaryFunction::WeightedAverage;
    // Which arguments are what: [N,] field [, weight], group [, outer group].
    const int leading = numberFirst ? 1 : 0;
    const int fixed = leading + 1 + (weighted ? 1 : 0);
    const int count = int(arguments.size());
    const auto isReference = [&](int i) { return m_tree.nodes[size_t(arguments[size_t(i)])].kind == NodeKind::Reference; };
    bool wellFormed = count >= fixed + (percent ? 1 : 0) && count <= fixed + (percent ? 2 : 1);
    for (int i = leading; wellFormed && i < count; ++i)
        wellFormed = isReference(i);
    if (!wellFormed)
        fail(FormulaErrors::SummaryNeedsReference, name.position, summaryUsage(name.text, summary->function, percent));
    if (count == 1 && !numberFirst && !percent && isParameterReference(arguments[0]))
        return parseParameterSummary(name, summary->function, arguments[0]);
    SyntaxNode node;
    node.kind = NodeKind::Summary;
    node.summary = summary->function;
    node.percent = percent;
    node.position = name.position;
    if (numberFirst)
        node.summaryArgument = summaryArgument(name, arguments[0], summary->function);
    const auto referenceOf = [&](int i) { return i < count ? m_tree.nodes[size_t(arguments[size_t(i)])].reference : -1; };
    node.reference = referenceOf(leading);
    if (weighted)
        node.weightReference = referenceOf(leading + 1);
    node.groupReference = referenceOf(fixed);
    if (percent)
        node.percentReference = referenceOf(fixed + 1);
    if (percent || summary->function >= SummaryFunction::StdDev)
        node.staticType = ValueType::Number;
    else if (node.summary == SummaryFunction::Count || node.summary == SummaryFunction::DistinctCount)
        node.staticType = ValueType::Integer;
    // The operands' own nodes are never evaluated: only the summary's slot is read.
    for (int argument : arguments)
        m_tree.nodes[size_t(argument)].kind = NodeKind::Constant;
    return addNode(std::move(node));
}

double FormulaParser::summaryArgument(const FormulaToken &name, int argument, SummaryFunction fn)
{
    // N and P are fixed when the report opens: a number written in the formula.
    const SyntaxNode &node = m_tree.nodes[size_t(argument)];
    const bool percentile = fn == SummaryFunction::Percentile;
    const double value = node.kind == NodeKind::Constant && node.constant.isNumeric() ? node.constant.toDouble() : -1;
    const bool valid = percentile ? value >= 0 && value <= 100 : value >= 1 && value <= 1e6 && value == std::floor(value);
    if (!valid)
        fail(FormulaErrors::SummaryNeedsReference, name.position,
             percentile ? QStringLiteral("%1 espera primer un nombre escrit de 0 a 100").arg(name.text)
                        : QStringLiteral("%1 espera primer un nombre enter escrit, d'1 en amunt").arg(name.text));
    return value;
}

bool FormulaParser::isParameterReference(int index) const
{
    const SyntaxNode &node = m_tree.nodes[size_t(index)];
    return node.kind == NodeKind::Reference
        && m_tree.references[size_t(node.reference)].kind == FormulaReference::Kind::Parameter;
}

int FormulaParser::parseParameterSummary(const FormulaToken &name, SummaryFunction function, int parameter)
{
    if (function != SummaryFunction::Minimum && function != SummaryFunction::Maximum && function != SummaryFunction::Count)
        fail(FormulaErrors::SummaryNeedsReference, name.position,
             QStringLiteral("d'un paràmetre només se'n pot llegir Minimum, Maximum o Count, no %1").arg(name.text));
    SyntaxNode node;
    node.kind = NodeKind::ParameterSummary;
    node.summary = function;
    node.position = name.position;
    if (function == SummaryFunction::Count)
        node.staticType = ValueType::Integer;
    return addNode(std::move(node), {parameter});
}

} // namespace velmora
