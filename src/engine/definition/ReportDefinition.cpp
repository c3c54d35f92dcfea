#include "engine/definition/ReportDefinition.h"

#include "engine/definition/CrossTabDefinition.h"

#include "engine/definition/DefinitionNames.h"

#include <algorithm>

namespace velmora {

namespace {

template<typename T>
bool pointeesEqual(const std::shared_ptr<T> &a, const std::shared_ptr<T> &b)
{
    if (!a || !b)
        return !a && !b;
    return *a == *b;
}

template<typename T, typename Key>
const T *findByKey(const std::vector<T> &items, Key T::*key, const QString &wanted)
{
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&](const T &item) { return item.*key == wanted; });
    return it == items.end() ? nullptr : &*it;
}

} // namespace

QString FieldRef::toText() const
{
    switch (kind) {
    case Kind::Database: return u'{' + table + u'.' + name + u'}';
    case Kind::Formula: return QLatin1String("{@") + name + u'}';
    case Kind::Parameter: return QLatin1String("{?") + name + u'}';
    case Kind::RunningTotal: return QLatin1String("{#") + name + u'}';
    case Kind::Special: return nameOf(specialFieldNames(), special);
    case Kind::Summary: {
        const QString operandText = operand ? operand->toText() : QString();
        const QString groupText = groupLevel < 0 ? QString() : QLatin1String(", ") + QString::number(groupLevel);
        return nameOf(summaryOperationNames(), operation) + QLatin1String(" (") + operandText + groupText + u')';
    }
    }
    return QString();
}

bool FieldRef::operator==(const FieldRef &other) const
{
    return kind == other.kind && table == other.table && name == other.name && special == other.special
        && operation == other.operation && groupLevel == other.groupLevel
        && pointeesEqual(operand, other.operand) && argument == other.argument
        && pointeesEqual(weight, other.weight) && percentOfLevel == other.percentOfLevel;
}

bool summaryTakesArgument(SummaryOperation operation)
{
    return operation == SummaryOperation::NthLargest || operation == SummaryOperation::NthSmallest
        || operation == SummaryOperation::NthMostFrequent || operation == SummaryOperation::Percentile;
}

bool summaryTakesWeight(SummaryOperation operation)
{
    return operation == SummaryOperation::WeightedAverage;
}

bool summaryRuns(SummaryOperation operation)
{
    return operation != SummaryOperation::Median && operation != SummaryOperation::Percentile
        && operation != SummaryOperation::Mode && operation != SummaryOperation::NthMostFrequent;
}

bool ReportObject::operator==(const ReportObject &other) const
{
    return name == other.name && kind == other.kind && rect == other.rect && format == other.format
        && field == other.field && text == other.text && lineWidth == other.lineWidth
        && lineStyle == other.lineStyle && boxFilled == other.boxFilled && imagePath == other.imagePath
        && imageData == other.imageData && pointeesEqual(subreport, other.subreport)
        && links == other.links && pointeesEqual(chart, other.chart) && propertyFormulas == other.propertyFormulas
        && link == other.link && pointeesEqual(crossTab, other.crossTab);
}

bool ChartSeries::operator==(const ChartSeries &other) const
{
    return pointeesEqual(value, other.value) && name == other.name && color == other.color;
}

bool ChartDefinition::operator==(const ChartDefinition &other) const
{
    return type == other.type && direction == other.direction && stacking == other.stacking
        && markers == other.markers && data == other.data && categoryLevel == other.categoryLevel
        && pointeesEqual(xField, other.xField) && maximumPoints == other.maximumPoints && series == other.series
        && title == other.title && legend == other.legend && categoryTitle == other.categoryTitle
        && valueTitle == other.valueTitle && gridlines == other.gridlines && valueLabels == other.valueLabels
        && valueFormat == other.valueFormat && palette == other.palette && font == other.font
        && titleSize == other.titleSize && textColor == other.textColor;
}

const TableDefinition *ReportDefinition::tableByAlias(const QString &alias) const
{
    return findByKey(tables, &TableDefinition::alias, alias);
}

const FormulaDefinition *ReportDefinition::formula(const QString &name) const
{
    return findByKey(formulas, &FormulaDefinition::name, name);
}

const ParameterDefinition *ReportDefinition::parameter(const QString &name) const
{
    return findByKey(parameters, &ParameterDefinition::name, name);
}

const RunningTotalDefinition *ReportDefinition::runningTotal(const QString &name) const
{
    return findByKey(runningTotals, &RunningTotalDefinition::name, name);
}

} // namespace velmora
