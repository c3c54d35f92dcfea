#include "engine/formula/DatePattern.h"

#include "engine/formula/CatalanNames.h"
#include "engine/formula/SpreadsheetText.h"

namespace velmora {

namespace {

/// `number` written with at least `width` digits, zeros in front.
void appendPadded(QString &text, qint64 number, int width)
{
    if (number < 0) { // rare: leave where the sign goes to Qt
        text += QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
        return;
    }
    char digits[20];
    int count = 0;
    do {
        digits[count++] = char('0' + number % 10);
        number /= 10;
    } while (number > 0);
    for (int i = count; i < width; ++i)
        text += u'0';
    while (count > 0)
        text += QLatin1Char(digits[--count]);
}

bool usesNames(int width) { return width >= 3; }

} // namespace

DatePattern::Field DatePattern::fieldOf(QChar letter)
{
    switch (letter.unicode()) {
    case u'd': return Field::Day;
    case u'M': return Field::Month;
    case u'y': return Field::Year;
    case u'H': return Field::Hour24;
    case u'h': return Field::Hour12;
    case u'm': return Field::Minute;
    case u's': return Field::Second;
    case u'z': return Field::Millisecond;
    default: return Field::Literal;
    }
}

DatePattern::DatePattern(QStringView pattern)
{
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        Token token;
        if (c == u'\'' || c == u'"') {
            // A doubled single quote stands for an apostrophe, as in Qt's formats.
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            token.text = stop == i + 1 && c == u'\'' ? QStringLiteral("'") : pattern.mid(i + 1, stop - i - 1).toString();
            i = stop + 1;
        } else if (fieldOf(c) != Field::Literal) {
            token.field = fieldOf(c);
            while (i < pattern.size() && pattern[i] == c) {
                ++token.width;
                ++i;
            }
            if (token.field == Field::Day && usesNames(token.width))
                token.field = Field::Weekday;
        } else {
            token.text = QString(c);
            ++i;
        }
        m_tokens.push_back(std::move(token));
    }
}

QString DatePattern::format(DateTime moment) const
{
    Parts parts;
    parts.date = moment.date();
    parts.date.getDate(&parts.year, &parts.month, &parts.day);
    parts.time = moment.time();
    QString text;
    text.reserve(qsizetype(m_tokens.size()) * 4);
    for (const Token &token : m_tokens)
        appendToken(text, token, parts);
    return text;
}

void DatePattern::appendToken(QString &text, const Token &token, const Parts &parts)
{
    const int width = std::min(token.width, 2);
    switch (token.field) {
    case Field::Literal: text += token.text; return;
    case Field::Day: appendPadded(text, parts.day, width); return;
    case Field::Weekday:
        text += token.width == 3 ? CatalanNames::weekdayAbbreviation(parts.date.dayOfWeek())
                                 : CatalanNames::weekdayName(parts.date.dayOfWeek());
        return;
    case Field::Month:
        if (token.width == 3)
            text += CatalanNames::monthAbbreviation(parts.month);
        else if (token.width >= 4)
            text += CatalanNames::monthName(parts.month);
        else
            appendPadded(text, parts.month, width);
        return;
    case Field::Year: appendPadded(text, token.width <= 2 ? parts.year % 100 : parts.year, token.width <= 2 ? 2 : 4); return;
    case Field::Hour24: appendPadded(text, parts.time.hour(), width); return;
    case Field::Hour12: appendPadded(text, parts.time.hour() % 12 == 0 ? 12 : parts.time.hour() % 12, width); return;
    case Field::Minute: appendPadded(text, parts.time.minute(), width); return;
    case Field::Second: appendPadded(text, parts.time.second(), width); return;
    case Field::Millisecond: appendPadded(text, parts.time.msec(), 3); return;
    }
}

QString DatePattern::spreadsheetCode() const
{
    QString code;
    bool names = false;
    bool twelveHour = false;
    for (const Token &token : m_tokens) {
        const int width = std::min(token.width, 4);
        switch (token.field) {
        case Field::Literal: code += spreadsheetLiteral(token.text); break;
        case Field::Day: code += QString(std::min(width, 2), u'd'); break;
        case Field::Weekday: code += QString(width, u'd'); names = true; break;
        case Field::Month: code += QString(width, u'm'); names = names || usesNames(width); break;
        case Field::Year: code += width <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case Field::Hour12: twelveHour = true; [[fallthrough]];
        case Field::Hour24: code += QString(std::min(width, 2), u'h'); break;
        case Field::Minute: code += QString(std::min(width, 2), u'm'); break;
        case Field::Second: code += QString(std::min(width, 2), u's'); break;
        case Field::Millisecond: code += QStringLiteral("000"); break;
        }
    }
    if (twelveHour)
        code += QStringLiteral(" AM/PM");
    // Catalan month and day names need the spreadsheet told the language (Catalan is 0x403).
    return names ? QStringLiteral("[$-403]") + code : code;
}

} // namespace velmora
