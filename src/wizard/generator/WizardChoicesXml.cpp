#include "wizard/generator/WizardChoicesXml.h"

#include "engine/core/Failure.h"
#include "engine/definition/DefinitionNames.h"
#include "wizard/generator/RecordFilter.h"
#include "wizard/generator/WizardErrors.h"

#include <QRegularExpression>

namespace velmora::wizard {

namespace {

const EnumName<Orientation> orientationList[] = {
    {Orientation::Automatic, u"automatic"}, {Orientation::Portrait, u"portrait"}, {Orientation::Landscape, u"landscape"}};

std::span<const EnumName<Orientation>> orientationNames()
{
    return orientationList;
}

QString attributeOf(const QXmlStreamReader &xml, const char *name)
{
    return xml.attributes().value(QLatin1String(name)).toString();
}

QString flag(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

[[noreturn]] void refuse(const QXmlStreamReader &xml, const QString &what)
{
    throw Failure(WizardErrors::BadWizardChoices,
                  QStringLiteral("L'element <wizard> de l'informe no es pot llegir (línia %1): %2.")
                      .arg(xml.lineNumber())
                      .arg(what));
}

FieldName fieldFrom(const QXmlStreamReader &xml)
{
    static const QRegularExpression pattern(QStringLiteral("^\\{([^.{}]+)\\.([^{}]+)\\}$"));
    const auto match = pattern.match(attributeOf(xml, "field"));
    if (!match.hasMatch())
        refuse(xml, QStringLiteral("el camp de <%1> s'escriu {Taula.Camp}").arg(xml.name()));
    return {match.captured(1), match.captured(2)};
}

bool flagFrom(const QXmlStreamReader &xml, const char *name, bool fallback)
{
    const QString value = attributeOf(xml, name);
    if (value.isEmpty())
        return fallback;
    if (value != u"true" && value != u"false")
        refuse(xml, QStringLiteral("«%1» ha de ser true o false").arg(QLatin1String(name)));
    return value == u"true";
}

template<typename Enum>
Enum enumFrom(const QXmlStreamReader &xml, const char *name, std::span<const EnumName<Enum>> names, Enum fallback)
{
    const QString value = attributeOf(xml, name);
    if (value.isEmpty())
        return fallback;
    const auto found = valueOf(names, value);
    if (!found)
        refuse(xml, QStringLiteral("«%1» no pot ser «%2»: %3").arg(QLatin1String(name), value, nameList(names)));
    return *found;
}

OrderChoice orderFrom(const QXmlStreamReader &xml)
{
    return {fieldFrom(xml), enumFrom(xml, "direction", sortDirectionNames(), SortDirection::Ascending)};
}

TotalChoice totalFrom(const QXmlStreamReader &xml)
{
    TotalChoice total{fieldFrom(xml), {}};
    for (const QString &word : attributeOf(xml, "operations").split(u' ', Qt::SkipEmptyParts)) {
        const auto operation = valueOf(summaryOperationNames(), word);
        if (!operation || std::find(std::begin(totalOperations), std::end(totalOperations), *operation)
                              == std::end(totalOperations))
            refuse(xml, QStringLiteral("el total «%1» no és Sum, Average, Count, Minimum ni Maximum").arg(word));
        total.operations.push_back(*operation);
    }
    return total;
}

ConditionChoice conditionFrom(const QXmlStreamReader &xml)
{
    ConditionChoice condition;
    condition.field = fieldFrom(xml);
    const QString key = attributeOf(xml, "comparison");
    const auto comparison = comparisonFromKey(key);
    if (!comparison)
        refuse(xml, QStringLiteral("la comparació «%1» no és coneguda").arg(key));
    condition.comparison = *comparison;
    condition.value = attributeOf(xml, "value");
    condition.askWhenRun = flagFrom(xml, "ask", false);
    return condition;
}

LookChoice lookFrom(const QXmlStreamReader &xml)
{
    LookChoice look;
    if (xml.attributes().hasAttribute(QLatin1String("paper")))
        look.paper = attributeOf(xml, "paper");
    look.orientation = enumFrom(xml, "orientation", orientationNames(), Orientation::Automatic);
    look.title = attributeOf(xml, "title");
    if (xml.attributes().hasAttribute(QLatin1String("style")))
        look.style = attributeOf(xml, "style");
    look.pageNumbers = flagFrom(xml, "pageNumbers", true);
    look.printDate = flagFrom(xml, "printDate", true);
    return look;
}

} // namespace

void writeChoicesElement(QXmlStreamWriter &xml, const WizardChoices &choices, const QString &databaseText)
{
    xml.writeStartElement(QStringLiteral("wizard"));
    xml.writeAttribute(QStringLiteral("database"), databaseText);
    xml.writeAttribute(QStringLiteral("totalsPerGroup"), flag(choices.totalsPerGroup));
    xml.writeAttribute(QStringLiteral("totalsForReport"), flag(choices.totalsForReport));
    for (const ColumnChoice &column : choices.columns) {
        xml.writeEmptyElement(QStringLiteral("column"));
        xml.writeAttribute(QStringLiteral("field"), column.field.reference());
        if (!column.heading.isEmpty())
            xml.writeAttribute(QStringLiteral("heading"), column.heading);
    }
    for (const auto &[element, orders] : {std::pair{u"group", &choices.groups}, std::pair{u"sort", &choices.sorts}})
        for (const OrderChoice &order : *orders) {
            xml.writeEmptyElement(QString::fromUtf16(element));
            xml.writeAttribute(QStringLiteral("field"), order.field.reference());
            xml.writeAttribute(QStringLiteral("direction"), nameOf(sortDirectionNames(), order.direction));
        }
    for (const TotalChoice &total : choices.totals) {
        QStringList words;
        for (SummaryOperation operation : total.operations)
            words << nameOf(summaryOperationNames(), operation);
        xml.writeEmptyElement(QStringLiteral("total"));
        xml.writeAttribute(QStringLiteral("field"), total.field.reference());
        xml.writeAttribute(QStringLiteral("operations"), words.join(u' '));
    }
    for (const ConditionChoice &condition : choices.conditions) {
        xml.writeEmptyElement(QStringLiteral("condition"));
        xml.writeAttribute(QStringLiteral("field"), condition.field.reference());
        xml.writeAttribute(QStringLiteral("comparison"), comparisonKey(condition.comparison));
        xml.writeAttribute(QStringLiteral("value"), condition.value);
        if (condition.askWhenRun)
            xml.writeAttribute(QStringLiteral("ask"), flag(true));
    }
    const LookChoice &look = choices.look;
    xml.writeEmptyElement(QStringLiteral("look"));
    xml.writeAttribute(QStringLiteral("paper"), look.paper);
    xml.writeAttribute(QStringLiteral("orientation"), nameOf(orientationNames(), look.orientation));
    if (!look.title.isEmpty())
        xml.writeAttribute(QStringLiteral("title"), look.title);
    xml.writeAttribute(QStringLiteral("style"), look.style);
    xml.writeAttribute(QStringLiteral("pageNumbers"), flag(look.pageNumbers));
    xml.writeAttribute(QStringLiteral("printDate"), flag(look.printDate));
    xml.writeEndElement();
}

QString readChoicesElement(QXmlStreamReader &xml, WizardChoices &choices)
{
    const QString database = attributeOf(xml, "database");
    choices.totalsPerGroup = flagFrom(xml, "totalsPerGroup", true);
    choices.totalsForReport = flagFrom(xml, "totalsForReport", true);
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == u"column")
            choices.columns.push_back({fieldFrom(xml), attributeOf(xml, "heading")});
        else if (name == u"group")
            choices.groups.push_back(orderFrom(xml));
        else if (name == u"sort")
            choices.sorts.push_back(orderFrom(xml));
        else if (name == u"total")
            choices.totals.push_back(totalFrom(xml));
        else if (name == u"condition")
            choices.conditions.push_back(conditionFrom(xml));
        else if (name == u"look")
            choices.look = lookFrom(xml);
        else
            refuse(xml, QStringLiteral("l'element <%1> no és conegut").arg(name.toString()));
        xml.skipCurrentElement();
    }
    if (xml.hasError())
        refuse(xml, xml.errorString());
    return database;
}

} // namespace velmora::wizard
