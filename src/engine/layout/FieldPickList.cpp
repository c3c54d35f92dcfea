#include "engine/layout/FieldPickList.h"

#include "engine/data/AccessDatabase.h"
#include "engine/data/CatalanCollation.h"
#include "engine/definition/ParameterValueText.h"
#include "engine/formula/ValueComparison.h"
#include "engine/layout/LayoutErrors.h"
#include "engine/layout/TablePassword.h"

#include <algorithm>

namespace velmora {

namespace {

std::optional<Value> asParameterType(const Value &value, ValueType type)
{
    if (value.type() == type)
        return value;
    if (value.isTemporal() && type == ValueType::Date)
        return Value::date(value.asDateTime());
    if (value.isTemporal() && type == ValueType::DateTime)
        return Value::dateTime(value.asDateTime());
    return parseParameterValue(type, parameterValueText(value));
}

bool sortsBefore(const Value &a, const Value &b)
{
    if (a.type() == ValueType::String && b.type() == ValueType::String)
        return CatalanCollation::compareText(a.asString(), b.asString()) < 0;
    return compareValues(a, b) < 0;
}

} // namespace

std::vector<PickValue> readFieldPickList(const QString &tableName, const QString &fieldName, ValueType type,
                                         const QString &tableKey, const std::map<QString, TableLocation> &tables)
{
    const auto location = tables.find(tableKey);
    if (location == tables.end() || location->second.databasePath.isEmpty())
        throw Failure(LayoutErrors::NoLocation,
                      QStringLiteral("La taula %1 de l'informe no té cap base de dades assignada.").arg(tableKey));
    const auto database = AccessDatabase::open(location->second.databasePath, databasePasswordFor(location->second, tables));
    const auto rows = database->readColumns(tableName, {fieldName}, CancelToken());
    std::vector<Value> values;
    for (int row = 0; row < rows->rowCount(); ++row)
        if (const auto value = rows->isNull(row, 0) ? std::nullopt : asParameterType(rows->value(row, 0), type))
            values.push_back(*value);
    std::sort(values.begin(), values.end(), sortsBefore);
    values.erase(std::unique(values.begin(), values.end()), values.end());
    std::vector<PickValue> choices;
    for (Value &value : values)
        choices.push_back({std::move(value), QString()});
    return choices;
}

} // namespace velmora
