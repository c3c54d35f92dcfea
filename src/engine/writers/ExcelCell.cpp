#include "engine/writers/ExcelCell.h"

#include <cmath>

namespace velmora {

namespace {

ExcelCell numberCell(double number, QString format)
{
    ExcelCell cell;
    cell.kind = ExcelCell::Kind::Number;
    cell.number = number;
    cell.defaultFormat = std::move(format);
    return cell;
}

ExcelCell textCell(QString text)
{
    ExcelCell cell;
    cell.kind = ExcelCell::Kind::Text;
    cell.text = std::move(text);
    return cell;
}

QString temporalFormat(ValueType type)
{
    switch (type) {
    case ValueType::Date:
        return QStringLiteral("dd/mm/yyyy");
    case ValueType::Time:
        return QStringLiteral("hh:mm:ss");
    default:
        return QStringLiteral("dd/mm/yyyy hh:mm:ss");
    }
}

ExcelCell temporalCell(const Value &value)
{
    const DateTime moment = value.asDateTime();
    double days = moment.toAccessDays();
    if (value.type() == ValueType::Date)
        days = double(moment.dayNumber());
    else if (value.type() == ValueType::Time)
        days = double(moment.msecsOfDay()) / DateTime::msecsPerDay;
    if (value.type() == ValueType::Time)
        return numberCell(days, temporalFormat(ValueType::Time));
    if (const auto serial = ExcelCell::excelSerial(days))
        return numberCell(*serial, temporalFormat(value.type()));
    return textCell(value.toDebugText());
}

} // namespace

std::optional<double> ExcelCell::excelSerial(double accessDays)
{
    // Excel counts 29 February 1900, which never was: from 1 March 1900 its
    // serials equal Access's day numbers, before that they are one less.
    constexpr double firstOfMarch1900 = 61;
    constexpr double firstOfJanuary1900 = 2;
    if (accessDays >= firstOfMarch1900)
        return accessDays;
    if (accessDays >= firstOfJanuary1900)
        return accessDays - 1;
    return std::nullopt;
}

ExcelCell ExcelCell::from(const Value &value)
{
    switch (value.type()) {
    case ValueType::Null:
        return ExcelCell{};
    case ValueType::Boolean: {
        ExcelCell cell;
        cell.kind = Kind::Boolean;
        cell.boolean = value.asBoolean();
        return cell;
    }
    case ValueType::Integer:
        return numberCell(double(value.asInteger()), QStringLiteral("0"));
    case ValueType::Number:
        // Excel has no infinity or NaN; their text says what they were.
        if (!std::isfinite(value.asNumber()))
            return textCell(value.toDebugText());
        return numberCell(value.asNumber(), QString());
    case ValueType::Currency:
        return numberCell(value.asCurrency().toDouble(), QStringLiteral("#,##0.00"));
    case ValueType::Date:
    case ValueType::Time:
    case ValueType::DateTime:
        return temporalCell(value);
    case ValueType::String:
        return textCell(value.asString());
    case ValueType::Binary:
        return textCell(value.toDebugText());
    }
    return ExcelCell{};
}

} // namespace velmora
