#include "engine/formula/NumberPattern.h"

#include "engine/formula/DecimalNumber.h"
#include "engine/formula/SpreadsheetText.h"

namespace velmora {

namespace {

std::vector<QStringView> splitSections(QStringView pattern)
{
    std::vector<QStringView> sections;
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'"')
            quoted = !quoted;
        else if (pattern[i] == u'\\')
            ++i;
        else if (pattern[i] == u';' && !quoted && sections.size() < 2) {
            sections.push_back(pattern.mid(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.mid(start));
    return sections;
}

QString groupThousands(const std::string &digits)
{
    QString grouped;
    const int size = int(digits.size());
    for (int i = 0; i < size; ++i) {
        if (i > 0 && (size - i) % 3 == 0)
            grouped += u'.';
        grouped += QLatin1Char(digits[size_t(i)]);
    }
    return grouped;
}

} // namespace

NumberPattern::NumberPattern(QStringView pattern)
{
    for (QStringView text : splitSections(pattern))
        m_sections.push_back(parseSection(text));
}

QString NumberPattern::withDecimals(int decimals)
{
    return decimals > 0 ? QStringLiteral("#,##0.") + QString(decimals, u'0') : QStringLiteral("#,##0");
}

NumberPattern::Section NumberPattern::parseSection(QStringView text)
{
    Section section;
    bool inFraction = false;
    QString *literal = &section.prefix;
    const auto addLiteral = [&](QStringView piece) {
        *literal += piece;
        section.code += spreadsheetLiteral(piece);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'0' || c == u'#') {
            section.hasDigits = true;
            literal = &section.suffix;
            const int required = c == u'0' ? 1 : 0;
            if (inFraction) {
                section.minDecimals += required;
                ++section.maxDecimals;
            } else {
                section.minIntegerDigits += required;
            }
            section.code += c;
        } else if (c == u'.' && !inFraction) {
            inFraction = true;
            literal = &section.suffix;
            section.code += c;
        } else if (c == u',' && !inFraction) {
            section.grouping = true;
            section.code += c;
        } else if (c == u'%') {
            section.percent = true;
            *literal += c;
            section.code += c;
        } else if (c == u'"') {
            const qsizetype end = text.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            addLiteral(text.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == u'\\' && i + 1 < text.size()) {
            addLiteral(text.mid(++i, 1));
        } else {
            addLiteral(text.mid(i, 1));
        }
    }
    return section;
}

QString NumberPattern::format(const Value &number) const
{
    DecimalNumber rounded = DecimalNumber::fromValue(number);
    const Section &first = m_sections.front();
    if (first.percent)
        rounded.multiplyByPowerOfTen(2);
    rounded.roundToPlaces(first.maxDecimals);
    if (rounded.isZero() && m_sections.size() == 3)
        return formatWith(m_sections[2], number, false);
    if (rounded.isNegative() && m_sections.size() >= 2)
        return formatWith(m_sections[1], number, false);
    return formatWith(first, number, true);
}

QString NumberPattern::formatWith(const Section &section, const Value &number, bool showSign)
{
    if (!section.hasDigits)
        return section.prefix + section.suffix;
    DecimalNumber decimal = DecimalNumber::fromValue(number);
    if (section.percent)
        decimal.multiplyByPowerOfTen(2);
    decimal.roundToPlaces(section.maxDecimals);
    std::string integer = decimal.integerDigits();
    if (integer == "0" && section.minIntegerDigits == 0)
        integer.clear();
    if (int(integer.size()) < section.minIntegerDigits)
        integer.insert(0, size_t(section.minIntegerDigits) - integer.size(), '0');
    std::string fraction = decimal.fractionDigits(section.maxDecimals);
    while (int(fraction.size()) > section.minDecimals && fraction.back() == '0')
        fraction.pop_back();
    QString text = showSign && decimal.isNegative() ? QStringLiteral("-") : QString();
    text += section.prefix;
    text += section.grouping ? groupThousands(integer) : QString::fromLatin1(integer);
    if (!fraction.empty())
        text += u',' + QString::fromLatin1(fraction);
    return text + section.suffix;
}

QString NumberPattern::spreadsheetCode() const
{
    QString code;
    for (const Section &section : m_sections) {
        if (!code.isEmpty())
            code += u';';
        code += section.code;
    }
    return code;
}

} // namespace velmora
