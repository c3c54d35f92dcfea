#include "engine/report/ReportParameters.h"

#include "engine/core/Failure.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/ParameterChecks.h"
#include "engine/definition/ParameterText.h"
#include "engine/definition/ParameterValueText.h"
#include "engine/seam/ParameterErrors.h"

namespace velmora {

namespace {

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString tableNameOf(const ReportDefinition &report, const QString &alias)
{
    for (const TableDefinition &table : report.tables)
        if (table.alias == alias)
            return table.name;
    return alias;
}

/// A tab or line feed in a prompt or a value would break a listing's columns.
QString oneCell(QString text)
{
    return text.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
}

QString listText(const ParameterDefinition &parameter)
{
    QStringList choices;
    for (const PickValue &choice : parameter.pickList) {
        QString item = parameterValueText(choice.value);
        if (!choice.description.isEmpty())
            item += QStringLiteral(" (%1)").arg(choice.description);
        choices << item;
    }
    if (parameter.listField)
        choices << QStringLiteral("valors de %1").arg(parameter.listField->toText());
    if (choices.isEmpty())
        return QStringLiteral("-");
    return (parameter.closedList ? QStringLiteral("tancada: ") : QStringLiteral("oberta: ")) + choices.join(QStringLiteral("; "));
}

} // namespace

ReportParameters::ReportParameters(const ReportDefinition &report) { collect(report, QString()); }

void ReportParameters::collect(const ReportDefinition &report, const QString &keyPrefix)
{
    for (const ParameterDefinition &parameter : report.parameters) {
        if (find(parameter.name))
            continue;
        RunParameter run{parameter, QString(), QString()};
        if (parameter.listField) {
            run.tableKey = keyPrefix + parameter.listField->table;
            run.tableName = tableNameOf(report, parameter.listField->table);
        }
        m_parameters.push_back(std::move(run));
    }
    for (const SectionDefinition &section : report.sections)
        for (const ReportObject &object : section.objects)
            if (object.subreport)
                collect(*object.subreport, keyPrefix + object.name + u'/');
}

const RunParameter *ReportParameters::find(const QString &name) const
{
    for (const RunParameter &parameter : m_parameters)
        if (sameName(parameter.definition.name, name))
            return &parameter;
    return nullptr;
}

const RunParameter &ReportParameters::require(const QString &name) const
{
    const RunParameter *parameter = find(name);
    if (!parameter)
        throw Failure(ParameterErrors::UnknownParameter,
                      QStringLiteral("L'informe no té cap paràmetre anomenat «%1».").arg(name));
    return *parameter;
}

ParameterValue ReportParameters::current(const QString &name) const
{
    const RunParameter &parameter = require(name);
    const auto given = m_given.find(parameter.definition.name);
    return given == m_given.end() ? parameter.definition.defaultValue : given->second;
}

void ReportParameters::give(const QString &name, ParameterValue value)
{
    m_given[require(name).definition.name] = std::move(value);
}

ParameterValues ReportParameters::values() const
{
    ParameterValues values;
    for (const RunParameter &parameter : m_parameters)
        values[parameter.definition.name] = current(parameter.definition.name);
    return values;
}

void ReportParameters::requireComplete() const
{
    for (const RunParameter &parameter : m_parameters) {
        const QString missing = missingValue(parameter.definition, current(parameter.definition.name));
        if (!missing.isEmpty())
            throw Failure(ParameterErrors::MissingValue, QStringLiteral("No es pot compondre l'informe: %1").arg(missing));
    }
}

ParameterValue ReportParameters::read(const QString &name, const QString &text) const
{
    const ParameterDefinition &parameter = require(name).definition;
    const ParameterTextReading reading = readParameterText(parameter, text);
    if (!reading.ok())
        throw Failure(ParameterErrors::BadValue, QStringLiteral("Paràmetre «%1»: %2").arg(parameter.name, reading.problem));
    const QString outside = outsideChoices(parameter, parameter.pickList, reading.value);
    if (!outside.isEmpty())
        throw Failure(ParameterErrors::NotInList, QStringLiteral("Paràmetre «%1»: %2").arg(parameter.name, outside));
    return reading.value;
}

QStringList ReportParameters::listing() const
{
    QStringList lines;
    for (const RunParameter &run : m_parameters) {
        const ParameterDefinition &parameter = run.definition;
        QString shape = nameOf(parameterTypeNames(), parameter.type);
        if (parameter.multipleValues)
            shape += QStringLiteral(" múltiple");
        if (parameter.rangeValues)
            shape += QStringLiteral(" interval");
        shape += parameter.isMandatory() ? QStringLiteral(" obligatori") : QString();
        const QString defaultText = parameter.defaultValue.isEmpty() ? QStringLiteral("-") : parameterText(parameter, parameter.defaultValue);
        lines << QStringList{oneCell(parameter.name), shape, oneCell(parameter.prompt.isEmpty() ? QStringLiteral("-") : parameter.prompt),
                             oneCell(defaultText), oneCell(listText(parameter))}
                     .join(u'\t');
    }
    return lines;
}

} // namespace velmora
