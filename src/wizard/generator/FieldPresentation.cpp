#include "wizard/generator/FieldPresentation.h"

#include "engine/definition/ReportDefinition.h"

#include <algorithm>

namespace velmora::wizard {

namespace {

// Text is planned at its declared length up to this many characters; the
// rest wraps. Declared lengths are maxima that few values reach.
constexpr int longestPlannedText = 30;
constexpr int memoCharacters = 40;

const QString amountFormat = QStringLiteral("#,##0.00");
const QString countFormat = QStringLiteral("#,##0");

/// Keys read better without thousands separators: "Comanda 1,234" is odd.
bool looksLikeKey(const QString &name)
{
    return name.startsWith(QLatin1String("Id"), Qt::CaseInsensitive) || name.endsWith(QLatin1String("Id"));
}

FieldPresentation number(int characters, const QString &format)
{
    return {HorizontalAlignment::Right, format, characters, true, false};
}

FieldPresentation integer(const ColumnSchema &column)
{
    const int digits = column.accessType == AccessType::Byte ? 3 : column.accessType == AccessType::Integer ? 6 : 9;
    if (looksLikeKey(column.name))
        return number(std::min(digits, 7), QStringLiteral("0"));
    return number(digits + digits / 3, countFormat);
}

} // namespace

FieldPresentation presentationOf(const ColumnSchema &column)
{
    if (column.accessType == AccessType::YesNo)
        return {HorizontalAlignment::Center, QString(), 3, false, false};
    switch (column.valueType) {
    case ValueType::Integer: return integer(column);
    case ValueType::Currency: return number(13, amountFormat);
    case ValueType::Number: return number(11, amountFormat);
    case ValueType::Date:
    case ValueType::DateTime: return {HorizontalAlignment::Left, QStringLiteral("dd/MM/yyyy"), 10, true, false};
    case ValueType::Time: return {HorizontalAlignment::Left, QStringLiteral("HH:mm"), 5, true, false};
    case ValueType::String:
        if (column.accessType == AccessType::Memo)
            return {HorizontalAlignment::Left, QString(), memoCharacters, false, true};
        return {HorizontalAlignment::Left, QString(), std::clamp(column.size, 3, longestPlannedText), false,
                column.size > longestPlannedText};
    default: return {HorizontalAlignment::Left, QString(), 10, false, false};
    }
}

QString totalFormat(SummaryOperation operation, const FieldPresentation &field)
{
    switch (operation) {
    case SummaryOperation::Average: return amountFormat;
    case SummaryOperation::Count: return countFormat;
    case SummaryOperation::Sum: return field.format == QLatin1String("0") ? countFormat : field.format;
    default: return field.format;
    }
}

} // namespace velmora::wizard
