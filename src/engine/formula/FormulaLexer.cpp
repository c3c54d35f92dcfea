#include "engine/formula/FormulaLexer.h"

#include "engine/core/Failure.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FormulaLimits.h"
#include "engine/formula/FormulaLocation.h"

#include <optional>

namespace velmora {

namespace {

std::optional<int> wholeNumber(QStringView text)
{
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && text[0].isDigit() ? std::optional<int>(n) : std::nullopt;
}

std::optional<QTime> timeOfDay(QStringView text)
{
    const auto parts = text.split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const auto h = wholeNumber(parts[0]);
    const auto m = wholeNumber(parts[1]);
    const auto s = parts.size() == 3 ? wholeNumber(parts[2]) : std::optional<int>(0);
    if (!h || !m || !s)
        return std::nullopt;
    const QTime time(*h, *m, *s);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

std::optional<QDate> calendarDate(QStringView text)
{
    const auto parts = text.split(u'-');
    if (parts.size() != 3)
        return std::nullopt;
    const auto y = wholeNumber(parts[0]);
    const auto m = wholeNumber(parts[1]);
    const auto d = wholeNumber(parts[2]);
    if (!y || !m || !d || *y < 1)
        return std::nullopt;
    const QDate date(*y, *m, *d);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// #2024-02-29#, #2024-02-29 13:45:00# or #13:45#.
std::optional<Value> dateLiteral(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    const qsizetype space = trimmed.indexOf(u' ');
    if (space < 0) {
        if (const auto date = calendarDate(trimmed))
            return Value::date(DateTime::fromDate(*date));
        if (const auto time = timeOfDay(trimmed))
            return Value::time(DateTime::fromTime(*time));
        return std::nullopt;
    }
    const auto date = calendarDate(trimmed.left(space));
    const auto time = timeOfDay(trimmed.mid(space + 1).trimmed());
    if (!date || !time)
        return std::nullopt;
    return Value::dateTime(DateTime::fromDateAndTime(*date, *time));
}

bool isIdentifierStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isIdentifierPart(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

} // namespace

FormulaLexer::FormulaLexer(const QString &text, const QString &formulaName, FormulaPosition start)
    : m_text(text), m_formulaName(formulaName), m_position(start)
{
}

QChar FormulaLexer::peek(int ahead) const
{
    const qsizetype i = m_index + ahead;
    return i < m_text.size() ? m_text[i] : QChar();
}

QChar FormulaLexer::advance()
{
    const QChar c = m_text[m_index++];
    const bool crBeforeLf = c == u'\r' && peek() == u'\n';
    if ((c == u'\n' || c == u'\r') && !crBeforeLf) {
        ++m_position.line;
        m_position.column = 1;
    } else if (!c.isLowSurrogate() && !crBeforeLf) {
        ++m_position.column;
    }
    return c;
}

void FormulaLexer::fail(qint32 number, FormulaPosition at, const QString &what) const
{
    throw Failure(number, QStringLiteral("Error de sintaxi a %1: %2.").arg(formulaLocation(m_formulaName, at), what));
}

std::vector<FormulaToken> FormulaLexer::tokenize()
{
    if (m_text.size() > FormulaLimits::maxFormulaLength)
        fail(FormulaErrors::FormulaTooLong, m_position, QStringLiteral("el text de la fórmula és massa llarg"));
    std::vector<FormulaToken> tokens;
    for (;;) {
        skipSpaceAndComments();
        if (atEnd())
            break;
        const QChar c = peek();
        if (c.isDigit() || (c == u'.' && peek(1).isDigit()))
            tokens.push_back(readNumber());
        else if (c == u'"' || c == u'\'')
            tokens.push_back(readString());
        else if (c == u'#')
            tokens.push_back(readDate());
        else if (c == u'{')
            tokens.push_back(readReference());
        else if (isIdentifierStart(c))
            tokens.push_back(readIdentifier());
        else
            tokens.push_back(readSymbol());
    }
    FormulaToken end;
    end.position = m_position;
    tokens.push_back(std::move(end));
    return tokens;
}

void FormulaLexer::skipSpaceAndComments()
{
    while (!atEnd()) {
        if (peek().isSpace()) {
            advance();
        } else if (peek() == u'/' && peek(1) == u'/') {
            while (!atEnd() && peek() != u'\n' && peek() != u'\r')
                advance();
        } else {
            return;
        }
    }
}

FormulaToken FormulaLexer::readNumber()
{
    FormulaToken token;
    token.kind = FormulaToken::Kind::Literal;
    token.position = m_position;
    const qsizetype start = m_index;
    bool whole = true;
    while (peek().isDigit())
        advance();
    if (peek() == u'.' && peek(1).isDigit()) {
        whole = false;
        advance();
        while (peek().isDigit())
            advance();
    }
    if ((peek() == u'e' || peek() == u'E')
        && (peek(1).isDigit() || ((peek(1) == u'+' || peek(1) == u'-') && peek(2).isDigit()))) {
        whole = false;
        advance();
        advance();
        while (peek().isDigit())
            advance();
    }
    token.text = m_text.mid(start, m_index - start);
    bool fits = false;
    const qint64 integer = whole ? token.text.toLongLong(&fits) : 0;
    if (fits) {
        token.literal = Value::integer(integer);
        return token;
    }
    const double number = token.text.toDouble(&fits);
    if (!fits)
        fail(FormulaErrors::UnexpectedCharacter, token.position,
             QStringLiteral("el nombre %1 és massa gran").arg(token.text));
    token.literal = Value::number(number);
    return token;
}

FormulaToken FormulaLexer::readString()
{
    FormulaToken token;
    token.kind = FormulaToken::Kind::Literal;
    token.position = m_position;
    const QChar quote = advance();
    QString text;
    for (;;) {
        if (atEnd())
            fail(FormulaErrors::UnterminatedString, token.position,
                 QStringLiteral("el text que comença aquí no es tanca amb %1").arg(quote));
        const QChar c = advance();
        if (c == quote) {
            if (peek() != quote)
                break;
            advance();
        }
        text += c;
    }
    token.literal = Value::string(std::move(text));
    return token;
}

QString FormulaLexer::readEnclosed(QChar open, QChar close, qint32 failure, const QString &what)
{
    const FormulaPosition start = m_position;
    advance();
    const qsizetype first = m_index;
    while (!atEnd() && peek() != close && peek() != open && peek() != u'\n' && peek() != u'\r')
        advance();
    if (peek() != close)
        fail(failure, start, QStringLiteral("%1 que comença aquí no es tanca amb %2 a la mateixa línia").arg(what, close));
    const QString inside = m_text.mid(first, m_index - first);
    advance();
    return inside;
}

FormulaToken FormulaLexer::readDate()
{
    FormulaToken token;
    token.kind = FormulaToken::Kind::Literal;
    token.position = m_position;
    const QString inside = readEnclosed(u'#', u'#', FormulaErrors::InvalidDate, QStringLiteral("la data"));
    const auto value = dateLiteral(inside);
    if (!value)
        fail(FormulaErrors::InvalidDate, token.position,
             QStringLiteral("#%1# no és una data vàlida (s'esperava #aaaa-mm-dd#, #aaaa-mm-dd hh:mm:ss# o #hh:mm:ss#)").arg(inside));
    token.literal = *value;
    return token;
}

FormulaToken FormulaLexer::readReference()
{
    FormulaToken token;
    token.kind = FormulaToken::Kind::Reference;
    token.position = m_position;
    const QString inside = readEnclosed(u'{', u'}', FormulaErrors::InvalidReference, QStringLiteral("la referència"));
    token.text = u'{' + inside + u'}';
    FormulaReference &ref = token.reference;
    const QChar sigil = inside.isEmpty() ? QChar() : inside[0];
    if (sigil == u'@' || sigil == u'?' || sigil == u'#') {
        ref.kind = sigil == u'@' ? FormulaReference::Kind::Formula
                 : sigil == u'?' ? FormulaReference::Kind::Parameter
                                 : FormulaReference::Kind::RunningTotal;
        ref.name = inside.mid(1).trimmed();
    } else {
        const qsizetype dot = inside.indexOf(u'.');
        ref.kind = FormulaReference::Kind::Field;
        ref.table = inside.left(dot).trimmed();
        ref.name = dot < 0 ? QString() : inside.mid(dot + 1).trimmed();
        if (ref.table.isEmpty())
            ref.name.clear();
    }
    if (ref.name.isEmpty())
        fail(FormulaErrors::InvalidReference, token.position,
             QStringLiteral("%1 no és una referència vàlida (s'esperava {Taula.Camp}, {@Fórmula}, {?Paràmetre} o {#Total})").arg(token.text));
    return token;
}

FormulaToken FormulaLexer::readIdentifier()
{
    FormulaToken token;
    token.kind = FormulaToken::Kind::Identifier;
    token.position = m_position;
    const qsizetype start = m_index;
    while (!atEnd() && isIdentifierPart(peek()))
        advance();
    token.text = m_text.mid(start, m_index - start);
    return token;
}

FormulaToken FormulaLexer::readSymbol()
{
    FormulaToken token;
    token.kind = FormulaToken::Kind::Symbol;
    token.position = m_position;
    const QChar c = peek();
    const QChar next = peek(1);
    const bool twoChars = (c == u'<' && (next == u'>' || next == u'=')) || (c == u'>' && next == u'=');
    static constexpr QStringView single = u"()[],+-*/\\^&=<>";
    if (!twoChars && !single.contains(c)) {
        const QString shown = c.isHighSurrogate() ? m_text.mid(m_index, 2) : QString(c);
        fail(FormulaErrors::UnexpectedCharacter, token.position, QStringLiteral("el caràcter «%1» no s'esperava aquí").arg(shown));
    }
    token.text = QString(advance());
    if (twoChars)
        token.text += advance();
    return token;
}

} // namespace velmora
