#include "engine/formula/EvaluationFault.h"
#include "engine/formula/FormulaErrors.h"
#include "engine/formula/FormulaLimits.h"
#include "engine/formula/FunctionArguments.h"
#include "engine/formula/FunctionTables.h"
#include "engine/formula/TextCharacters.h"
#include "engine/formula/TextConcatenation.h"

namespace velmora {

namespace {

constexpr qint64 anyLength = FormulaLimits::maxStringLength;

Value text(QString s) { return Value::string(std::move(s)); }

Value left(const FunctionArguments &args)
{
    const TextCharacters characters(args.text(0));
    return text(characters.slice(0, args.wholeWithin(1, 0, anyLength)));
}

Value right(const FunctionArguments &args)
{
    const TextCharacters characters(args.text(0));
    const qint64 length = std::min<qint64>(args.wholeWithin(1, 0, anyLength), characters.count());
    return text(characters.slice(characters.count() - length, length));
}

Value mid(const FunctionArguments &args)
{
    const TextCharacters characters(args.text(0));
    const qint64 start = args.wholeWithin(1, 1, anyLength);
    const qint64 length = args.has(2) ? args.wholeWithin(2, 0, anyLength) : anyLength;
    return text(characters.slice(start - 1, length));
}

Value trim(const FunctionArguments &args) { return text(args.text(0).trimmed()); }

Value trimLeft(const FunctionArguments &args)
{
    const QString &s = args.text(0);
    qsizetype i = 0;
    while (i < s.size() && s[i].isSpace())
        ++i;
    return text(s.mid(i));
}

Value trimRight(const FunctionArguments &args)
{
    const QString &s = args.text(0);
    qsizetype end = s.size();
    while (end > 0 && s[end - 1].isSpace())
        --end;
    return text(s.left(end));
}

Value upperCase(const FunctionArguments &args) { return text(args.text(0).toUpper()); }
Value lowerCase(const FunctionArguments &args) { return text(args.text(0).toLower()); }

// An apostrophe or a middle dot inside a word keeps it one word: "L'àvia", "Col·legi".
Value properCase(const FunctionArguments &args)
{
    QString s = args.text(0).toLower();
    bool startOfWord = true;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isLetterOrNumber()) {
            if (startOfWord)
                s[i] = c.toUpper();
            startOfWord = false;
        } else if (c != u'\'' && c != u'\u2019' && c != u'\u00B7' && !c.isMark()) {
            startOfWord = true;
        }
    }
    return text(std::move(s));
}

Value length(const FunctionArguments &args) { return Value::integer(TextCharacters(args.text(0)).count()); }

// The found offset as a 1-based character position, 0 when absent.
Value characterPosition(const QString &s, qsizetype offset)
{
    return Value::integer(offset < 0 ? 0 : TextCharacters(s).indexAt(offset) + 1);
}

Value inString(const FunctionArguments &args)
{
    const bool withStart = args.count() == 3;
    const QString &s = args.text(withStart ? 1 : 0);
    const QString &find = args.text(withStart ? 2 : 1);
    const TextCharacters characters(s);
    const qint64 start = withStart ? args.wholeWithin(0, 1, anyLength) : 1;
    if (start > characters.count())
        return Value::integer(find.isEmpty() && start == characters.count() + 1 ? start : 0);
    return characterPosition(s, s.indexOf(find, characters.offsetOf(start - 1)));
}

Value inStringReverse(const FunctionArguments &args)
{
    const QString &s = args.text(0);
    const QString &find = args.text(1);
    const TextCharacters characters(s);
    const qint64 start = args.has(2) ? args.wholeWithin(2, 1, anyLength) : characters.count();
    if (start > characters.count() || characters.count() == 0)
        return Value::integer(0);
    // The match must end by character `start`: it may begin no later than that end minus its length.
    const qsizetype lastStart = characters.offsetOf(start) - find.size();
    if (lastStart < 0)
        return Value::integer(0);
    return characterPosition(s, s.lastIndexOf(find, lastStart));
}

Value replace(const FunctionArguments &args)
{
    const QString &s = args.text(0);
    const QString &find = args.text(1);
    const QString &replacement = args.text(2);
    if (find.isEmpty())
        return text(s);
    const qint64 occurrences = s.count(find);
    requireTextLength(s.size() + occurrences * (replacement.size() - find.size()));
    QString result = s;
    return text(result.replace(find, replacement));
}

// How many copies to make: never negative, never more than the text limit allows.
qint64 copyCount(const FunctionArguments &args, int i, qint64 copyLength)
{
    const qint64 count = args.whole(i);
    if (count < 0)
        args.fail(FormulaErrors::InvalidArgument, QStringLiteral("el nombre de còpies no pot ser negatiu"));
    requireTextLength(copyLength == 0 ? 0 : std::min(count, anyLength + 1) * copyLength);
    return count;
}

Value space(const FunctionArguments &args)
{
    return text(QString(qsizetype(copyCount(args, 0, 1)), u' '));
}

Value replicate(const FunctionArguments &args)
{
    const QString &s = args.text(0);
    return text(s.repeated(qsizetype(copyCount(args, 1, s.size()))));
}

Value character(const FunctionArguments &args)
{
    const qint64 code = args.wholeWithin(0, 0, 0x10FFFF);
    if (code >= 0xD800 && code <= 0xDFFF)
        args.fail(FormulaErrors::InvalidArgument, QStringLiteral("%1 no és el codi de cap caràcter").arg(code));
    const char32_t codePoint = char32_t(code);
    return text(QString::fromUcs4(&codePoint, 1));
}

Value characterCode(const FunctionArguments &args)
{
    const QString &s = args.text(0);
    if (s.isEmpty())
        args.fail(FormulaErrors::InvalidArgument, QStringLiteral("el text és buit"));
    const bool pair = s.size() > 1 && s[0].isHighSurrogate() && s[1].isLowSurrogate();
    return Value::integer(pair ? QChar::surrogateToUcs4(s[0], s[1]) : s[0].unicode());
}

Value reverse(const FunctionArguments &args)
{
    const QString &s = args.text(0);
    const TextCharacters characters(s);
    QString reversed;
    reversed.reserve(s.size());
    for (qsizetype i = characters.count(); i > 0; --i)
        reversed += characters.slice(i - 1, 1);
    return text(std::move(reversed));
}

constexpr ValueType String = ValueType::String;
constexpr ValueType Integer = ValueType::Integer;

constexpr FunctionDefinition functions[] = {
    {u"Left", 2, 2, left, String},
    {u"Right", 2, 2, right, String},
    {u"Mid", 2, 3, mid, String},
    {u"Trim", 1, 1, trim, String},
    {u"LTrim", 1, 1, trimLeft, String},
    {u"RTrim", 1, 1, trimRight, String},
    {u"UpperCase", 1, 1, upperCase, String},
    {u"UCase", 1, 1, upperCase, String},
    {u"LowerCase", 1, 1, lowerCase, String},
    {u"LCase", 1, 1, lowerCase, String},
    {u"ProperCase", 1, 1, properCase, String},
    {u"Len", 1, 1, length, Integer},
    {u"Length", 1, 1, length, Integer},
    {u"InStr", 2, 3, inString, Integer},
    {u"InStrRev", 2, 3, inStringReverse, Integer},
    {u"Replace", 3, 3, replace, String},
    {u"Space", 1, 1, space, String},
    {u"ReplicateString", 2, 2, replicate, String},
    {u"Chr", 1, 1, character, String},
    {u"ChrW", 1, 1, character, String},
    {u"Asc", 1, 1, characterCode, Integer},
    {u"AscW", 1, 1, characterCode, Integer},
    {u"StrReverse", 1, 1, reverse, String},
};

} // namespace

std::span<const FunctionDefinition> textFunctions() { return functions; }

} // namespace velmora
