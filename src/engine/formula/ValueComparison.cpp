#include "engine/formula/ValueComparison.h"

#include "engine/formula/EvaluationFault.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/TypeDescription.h"
#include "engine/formula/WideArithmetic.h"

namespace velmora {

namespace {

template<typename T>
int order(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

int compareValues(const Value &a, const Value &b)
{
    if (a.isNumeric() && b.isNumeric()) {
        if (a.type() == ValueType::Number || b.type() == ValueType::Number)
            return order(a.toDouble(), b.toDouble());
        return order(scaledUnits(a), scaledUnits(b));
    }
    if (a.isTemporal() && b.isTemporal())
        return order(a.asDateTime().msecs, b.asDateTime().msecs);
    if (a.type() == b.type()) {
        switch (a.type()) {
        case ValueType::String: return order(QString::compare(a.asString(), b.asString(), Qt::CaseSensitive), 0);
        case ValueType::Boolean: return order(a.asBoolean(), b.asBoolean());
        case ValueType::Binary: return order(a.asBinary(), b.asBinary());
        default: break;
        }
    }
    raiseFault(FormulaErrors::TypeMismatch,
               QStringLiteral("no es pot comparar %1 amb %2").arg(describeType(a.type()), describeType(b.type())));
}

bool matchesLikePattern(const QString &text, const QString &pattern)
{
    // Greedy matching with one backtrack point per star: linear in practice, never exponential.
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;
    qsizetype resumeAt = 0;
    const auto sameLetter = [](QChar x, QChar y) { return x == y || x.toCaseFolded() == y.toCaseFolded(); };
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || (pattern[p] != u'*' && sameLetter(pattern[p], text[t])))) {
            ++t;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            resumeAt = t;
        } else if (starAt >= 0) {
            p = starAt + 1;
            t = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace velmora
