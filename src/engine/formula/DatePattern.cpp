#include "engine/formula/DatePattern.h"

#include "engine/formula/CatalanNames.h"
#include "engine/formula/SpreadsheetText.h"

namespace velmora {

namespace {

QString padded(qint64 number, int width)
{
    return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
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
    QString text;
    for (const Token &token : m_tokens)
        text += formatToken(token, moment);
    return text;
}

QString DatePattern::formatToken(const Token &token, DateTime moment) const
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    const int width = std::min(token.width, 2);
    switch (token.field) {
    case Field::Literal: return token.text;
    case Field::Day: return padded(date.day(), width);
    case Field::Weekday:
        return token.width == 3 ? CatalanNames::weekdayAbbreviation(date.dayOfWeek()) : CatalanNames::weekdayName(date.dayOfWeek());
    case Field::Month:
        if (token.width == 3)
            return CatalanNames::monthAbbreviation(date.month());
        return token.width >= 4 ? CatalanNames::monthName(date.month()) : padded(date.month(), width);
    case Field::Year: return token.width <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
    case Field::Hour24: return padded(time.hour(), width);
    case Field::Hour12: return padded(time.hour() % 12 == 0 ? 12 : time.hour() % 12, width);
    case Field::Minute: return padded(time.minute(), width);
    case Field::Second: return padded(time.second(), width);
    case Field::Millisecond: return padded(time.msec(), 3);
    }
    return QString();
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
