#include "engine/definition/SummaryAttributes.h"

#include "engine/definition/DefinitionErrors.h"

#include <cmath>

namespace velmora {

namespace {

using Kind = FieldRef::Kind;

/// N for the N-th operations is a whole number from 1; P for Percentile runs
/// from 0 to 100 and may have decimals.
double readArgument(AttributeReader &attributes, SummaryOperation operation)
{
    attributes.required(u"argument");
    if (operation == SummaryOperation::Percentile)
        return attributes.decimal(u"argument", 50, 0, 100);
    return attributes.integer(u"argument", 1, 1, 1000000);
}

} // namespace

FieldRef readSummaryAttributes(AttributeReader &attributes, const ReferenceReader &references,
                               QStringView sourceName)
{
    FieldRef summary;
    summary.kind = Kind::Summary;
    attributes.required(u"operation");
    summary.operation = attributes.choice(u"operation", summaryOperationNames(), SummaryOperation::Sum);
    summary.operand = std::make_shared<FieldRef>(references.field(attributes, sourceName, {Kind::Database, Kind::Formula}));
    if (summaryTakesArgument(summary.operation))
        summary.argument = readArgument(attributes, summary.operation);
    if (summaryTakesWeight(summary.operation))
        summary.weight = std::make_shared<FieldRef>(references.field(attributes, u"weight", {Kind::Database, Kind::Formula}));
    return summary;
}

int readPercentOf(AttributeReader &attributes, const ReferenceReader &references, const FieldRef &summary)
{
    if (!attributes.has(u"percentOf"))
        return FieldRef::NotPercent;
    const int level = references.groupLevel(attributes, u"percentOf", u"report", -1);
    if (summary.groupLevel < 0 || level >= summary.groupLevel)
        attributes.fail(DefinitionErrors::BadSummaryOption,
                        QStringLiteral("l'atribut «percentOf» de <%1> ha de nomenar un grup més extern que el del "
                                       "resum, o «report».")
                            .arg(attributes.elementName()));
    return level;
}

void writeSummaryAttributes(XmlOutput &out, const FieldRef &summary, QStringView sourceName)
{
    out.text(u"operation", nameOf(summaryOperationNames(), summary.operation));
    out.text(sourceName, summary.operand ? summary.operand->toText() : QString());
    if (summaryTakesArgument(summary.operation))
        out.text(u"argument", QString::number(summary.argument, 'g', 12));
    if (summaryTakesWeight(summary.operation) && summary.weight)
        out.text(u"weight", summary.weight->toText());
}

} // namespace velmora
