#pragma once

#include "engine/formula/FormulaToken.h"

#include <QString>

#include <vector>

namespace velmora {

/// Splits a formula's text into tokens, each placed in the report file:
/// the caller gives where the text starts and the lexer counts lines and
/// columns across the newlines inside it. Throws a 40xx Failure on text
/// that forms no token (an unclosed string, a bad date, a stray character).
class FormulaLexer {
public:
    FormulaLexer(const QString &text, const QString &formulaName, FormulaPosition start);

    std::vector<FormulaToken> tokenize();

private:
    bool atEnd() const { return m_index >= m_text.size(); }
    QChar peek(int ahead = 0) const;
    QChar advance();
    void skipSpaceAndComments();
    FormulaToken readNumber();
    FormulaToken readString();
    /// The text between `open` (at the current place) and `close`, on one line.
    QString readEnclosed(QChar open, QChar close, qint32 failure, const QString &what);
    FormulaToken readDate();
    FormulaToken readReference();
    FormulaToken readIdentifier();
    FormulaToken readSymbol();
    [[noreturn]] void fail(qint32 number, FormulaPosition at, const QString &what) const;

    const QString &m_text;
    const QString &m_formulaName;
    qsizetype m_index = 0;
    FormulaPosition m_position;
};

} // namespace velmora
