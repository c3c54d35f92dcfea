#pragma once

#include "engine/core/Value.h"

#include <QString>

#include <vector>

namespace velmora {

/// A number format such as "#,##0.00", "0.0%" or "#,##0.00 €;(#,##0.00)",
/// written with the spreadsheet conventions (`0` a digit always shown, `#`
/// a digit shown when needed, `,` grouping, `.` the decimal point, `%`
/// percent, text in double quotes or after `\`) and printed the Catalan
/// way: 1.234,56. Up to three sections: positive; negative; zero.
class NumberPattern {
public:
    explicit NumberPattern(QStringView pattern);
    /// "#,##0" followed by that many decimals, as ToText(x, decimals) uses.
    static QString withDecimals(int decimals);

    QString format(const Value &number) const;
    QString spreadsheetCode() const;

private:
    struct Section {
        QString prefix;
        QString suffix;
        QString code;
        int minIntegerDigits = 0;
        int minDecimals = 0;
        int maxDecimals = 0;
        bool grouping = false;
        bool percent = false;
        bool hasDigits = false;
    };

    static Section parseSection(QStringView text);
    static QString formatWith(const Section &section, const Value &number, bool showSign);

    std::vector<Section> m_sections;
};

} // namespace velmora
