#pragma once

#include "engine/core/DateTime.h"

#include <QString>

#include <vector>

namespace velmora {

/// A date and time format such as "dd/MM/yyyy", "d MMMM yyyy" or "HH:mm":
/// d dd (day), ddd dddd (weekday name), M MM (month), MMM MMMM (month name,
/// Catalan), yy yyyy (year), H HH (hour 0-23), h hh (hour 1-12), m mm
/// (minute), s ss (second), zzz (milliseconds). Text in single or double
/// quotes, and any other character, is printed as written.
class DatePattern {
public:
    explicit DatePattern(QStringView pattern);

    QString format(DateTime moment) const;
    /// The same format as a spreadsheet code: "dd/mm/yyyy", "[$-403]d mmmm yyyy".
    QString spreadsheetCode() const;

private:
    enum class Field { Literal, Day, Weekday, Month, Year, Hour24, Hour12, Minute, Second, Millisecond };
    struct Token {
        Field field = Field::Literal;
        int width = 0;
        QString text;
    };

    /// What the tokens read of one moment, worked out once for them all.
    struct Parts {
        QDate date;
        int year = 0;
        int month = 0;
        int day = 0;
        QTime time;
    };

    static Field fieldOf(QChar letter);
    static void appendToken(QString &text, const Token &token, const Parts &parts);

    std::vector<Token> m_tokens;
};

} // namespace velmora
