#include "engine/definition/ChartXmlWriter.h"

#include "engine/definition/ChartNames.h"
#include "engine/definition/SummaryAttributes.h"

namespace velmora {

namespace {

QString colourText(QRgb colour)
{
    return QStringLiteral("#%1").arg(colour & 0xffffffu, 6, 16, QLatin1Char('0')).toUpper();
}

QString decimalText(double value)
{
    return QString::number(value, 'g', 10);
}

template<typename Enum>
void choiceUnless(XmlOutput &out, QStringView name, std::span<const EnumName<Enum>> names, Enum value, Enum fallback)
{
    if (value != fallback)
        out.text(name, nameOf(names, value));
}

void writeKindAndData(XmlOutput &out, const ChartDefinition &chart, const ChartDefinition &defaults)
{
    out.text(u"type", nameOf(chartTypeNames(), chart.type));
    if (chart.type == ChartType::Bar) {
        choiceUnless(out, u"direction", barDirectionNames(), chart.direction, defaults.direction);
        choiceUnless(out, u"stacking", barStackingNames(), chart.stacking, defaults.stacking);
    }
    if (chart.type == ChartType::Line && !chart.markers)
        out.text(u"markers", QStringLiteral("false"));
    choiceUnless(out, u"data", chartDataNames(), chart.data, defaults.data);
    if (chart.data == ChartData::Records) {
        if (chart.xField)
            out.text(u"x", chart.xField->toText());
        out.integerUnless(u"maxPoints", chart.maximumPoints, defaults.maximumPoints);
    } else {
        out.integer(u"group", chart.categoryLevel + 1);
    }
}

} // namespace

void writeChartAttributes(XmlOutput &out, const ChartDefinition &chart)
{
    const ChartDefinition defaults;
    writeKindAndData(out, chart, defaults);
    out.textUnlessEmpty(u"title", chart.title);
    choiceUnless(out, u"legend", legendPlaceNames(), chart.legend, defaults.legend);
    if (!chart.isRound()) {
        out.textUnlessEmpty(u"categoryTitle", chart.categoryTitle);
        out.textUnlessEmpty(u"valueTitle", chart.valueTitle);
        if (!chart.gridlines)
            out.text(u"gridlines", QStringLiteral("false"));
    }
    out.flag(u"valueLabels", chart.valueLabels);
    out.textUnlessEmpty(u"format", chart.valueFormat);
    QStringList palette;
    for (QRgb colour : chart.palette)
        palette << colourText(colour);
    out.textUnlessEmpty(u"palette", palette.join(u' '));
    if (chart.font.family != defaults.font.family)
        out.text(u"font", chart.font.family);
    if (chart.font.pointSize != defaults.font.pointSize)
        out.text(u"size", decimalText(chart.font.pointSize));
    if (chart.titleSize != defaults.titleSize)
        out.text(u"titleSize", decimalText(chart.titleSize));
    out.colourUnless(u"color", chart.textColor, defaults.textColor);
}

void writeChartSeries(XmlOutput &out, const ChartDefinition &chart)
{
    for (const ChartSeries &series : chart.series) {
        out.start(u"series");
        if (series.value && chart.data == ChartData::Records)
            out.text(u"source", series.value->toText());
        else if (series.value)
            writeSummaryAttributes(out, *series.value, u"source");
        out.textUnlessEmpty(u"name", series.name);
        out.colour(u"color", series.color);
        out.end();
    }
}

} // namespace velmora
