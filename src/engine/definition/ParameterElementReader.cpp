#include "engine/definition/ParameterElementReader.h"

#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/DefinitionNames.h"
#include "engine/definition/NameCheck.h"
#include "engine/definition/ParameterChecks.h"
#include "engine/definition/ParameterText.h"
#include "engine/definition/ParameterValueText.h"

namespace velmora {

using namespace DefinitionErrors;

ParameterDefinition ParameterElementReader::read()
{
    AttributeReader attributes(m_walker);
    const SourcePosition position = m_walker.position();
    ParameterDefinition parameter;
    readAttributes(attributes, parameter);
    const std::optional<QString> defaultText = attributes.optional(u"default");
    attributes.finish();
    readChoices(parameter);
    if (defaultText)
        checkDefault(position, parameter, *defaultText);
    return parameter;
}

void ParameterElementReader::readAttributes(AttributeReader &attributes, ParameterDefinition &parameter)
{
    parameter.name = readName(attributes);
    refuseDuplicate(attributes, m_report.parameter(parameter.name) != nullptr, DuplicateParameter,
                    QStringLiteral("el paràmetre"), parameter.name);
    parameter.type = attributes.choice(u"type", parameterTypeNames(), ValueType::String);
    parameter.prompt = attributes.text(u"prompt");
    parameter.multipleValues = attributes.boolean(u"multiple", false);
    parameter.rangeValues = attributes.boolean(u"range", false);
    parameter.optional = attributes.boolean(u"optional", false);
    parameter.closedList = attributes.boolean(u"closedList", false);
    if (attributes.has(u"valuesFrom"))
        parameter.listField = m_references.field(attributes, u"valuesFrom", {FieldRef::Kind::Database});
}

void ParameterElementReader::readChoices(ParameterDefinition &parameter)
{
    while (m_walker.nextChild()) {
        if (m_walker.name() != QLatin1String("choice"))
            m_walker.failUnknownElement();
        AttributeReader attributes(m_walker);
        const QString text = attributes.required(u"value");
        const auto value = parseParameterValue(parameter.type, text);
        if (!value)
            attributes.fail(BadParameterValue, QStringLiteral("el valor «%1» de la llista del paràmetre «%2» no és vàlid: cal %3.")
                                                   .arg(text, parameter.name, parameterTextNeed(parameter.type)));
        parameter.pickList.push_back({*value, attributes.text(u"description")});
        attributes.finish();
        m_walker.finishEmpty();
    }
    if (parameter.closedList && !parameter.hasPickList())
        m_walker.fail(MissingElement, QStringLiteral("el paràmetre «%1» té la llista tancada però no en té cap: falten "
                                                     "elements <choice value=\"...\"/> o l'atribut valuesFrom.")
                                          .arg(parameter.name));
}

void ParameterElementReader::checkDefault(SourcePosition position, ParameterDefinition &parameter, const QString &text)
{
    ParameterTextReading reading = readParameterText(parameter, text);
    if (reading.ok())
        reading.problem = outsideChoices(parameter, parameter.pickList, reading.value);
    if (!reading.ok())
        m_walker.failAt(position, BadParameterValue, reading.problem);
    parameter.defaultValue = reading.value;
}

} // namespace velmora
