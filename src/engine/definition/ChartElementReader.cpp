#include "engine/definition/ChartElementReader.h"

#include "engine/definition/ChartNames.h"
#include "engine/definition/DefinitionErrors.h"
#include "engine/definition/SummaryAttributes.h"

#include <QRegularExpression>

namespace velmora {

using namespace DefinitionErrors;
using Kind = FieldRef::Kind;

namespace {

constexpr double largestFontSize = 1638;

/// The attributes that only some kinds of chart take.
struct KindOnlyAttribute {
    const char16_t *name;
    bool (*applies)(const ChartDefinition &);
    const char *kinds;
};

bool isBar(const ChartDefinition &c) { return c.type == ChartType::Bar; }
bool isLine(const ChartDefinition &c) { return c.type == ChartType::Line; }
bool hasAxes(const ChartDefinition &c) { return !c.isRound(); }

constexpr KindOnlyAttribute kindOnlyAttributes[] = {
    {u"direction", isBar, "bar"},
    {u"stacking", isBar, "bar"},
    {u"markers", isLine, "line"},
    {u"categoryTitle", hasAxes, "bar, line i area"},
    {u"valueTitle", hasAxes, "bar, line i area"},
    {u"gridlines", hasAxes, "bar, line i area"},
};

} // namespace

std::shared_ptr<ChartDefinition> ChartElementReader::readAttributes(AttributeReader &attributes) const
{
    auto chart = std::make_shared<ChartDefinition>();
    readKind(attributes, *chart);
    readData(attributes, *chart);
    readLooks(attributes, *chart);
    return chart;
}

void ChartElementReader::readKind(AttributeReader &attributes, ChartDefinition &chart) const
{
    chart.type = attributes.choice(u"type", chartTypeNames(), ChartType::Bar);
    for (const KindOnlyAttribute &only : kindOnlyAttributes)
        if (attributes.has(only.name) && !only.applies(chart))
            attributes.fail(ChartOptionNotApplicable,
                            QStringLiteral("l'atribut «%1» de <chart> només val per als gràfics de tipus %2, i aquest "
                                           "és de tipus «%3».")
                                .arg(QString::fromUtf16(only.name), QString::fromLatin1(only.kinds),
                                     nameOf(chartTypeNames(), chart.type)));
    chart.direction = attributes.choice(u"direction", barDirectionNames(), BarDirection::Vertical);
    chart.stacking = attributes.choice(u"stacking", barStackingNames(), BarStacking::Clustered);
    chart.markers = attributes.boolean(u"markers", true);
}

void ChartElementReader::readData(AttributeReader &attributes, ChartDefinition &chart) const
{
    chart.data = attributes.choice(u"data", chartDataNames(), ChartData::Groups);
    if (chart.data == ChartData::Records) {
        if (attributes.has(u"group"))
            attributes.fail(ChartSeriesKind, QStringLiteral("un gràfic de registres (data=\"records\") pren les "
                                                            "categories de l'atribut «x», no d'un grup."));
        chart.xField = std::make_shared<FieldRef>(m_references.field(attributes, u"x", {Kind::Database, Kind::Formula}));
        chart.maximumPoints = attributes.integer(u"maxPoints", chart.maximumPoints, 2, largestChartPointCount);
        return;
    }
    if (attributes.has(u"x") || attributes.has(u"maxPoints"))
        attributes.fail(ChartSeriesKind, QStringLiteral("els atributs «x» i «maxPoints» de <chart> només valen per "
                                                        "als gràfics de registres (data=\"records\")."));
    attributes.required(u"group");
    chart.categoryLevel = m_references.groupLevel(attributes, u"group", {}, 0);
}

void ChartElementReader::readLooks(AttributeReader &attributes, ChartDefinition &chart) const
{
    chart.title = attributes.text(u"title");
    chart.legend = attributes.choice(u"legend", legendPlaceNames(), LegendPlace::Right);
    chart.categoryTitle = attributes.text(u"categoryTitle");
    chart.valueTitle = attributes.text(u"valueTitle");
    chart.gridlines = attributes.boolean(u"gridlines", true);
    chart.valueLabels = attributes.boolean(u"valueLabels", false);
    chart.valueFormat = attributes.text(u"format");
    chart.palette = readPalette(attributes);
    chart.font.family = attributes.text(u"font", chart.font.family);
    chart.font.pointSize = attributes.decimal(u"size", chart.font.pointSize, 1, largestFontSize);
    chart.titleSize = attributes.decimal(u"titleSize", chart.titleSize, 1, largestFontSize);
    chart.textColor = attributes.colour(u"color", chart.textColor);
}

std::vector<QRgb> ChartElementReader::readPalette(AttributeReader &attributes) const
{
    const auto text = attributes.optional(u"palette");
    if (!text)
        return {};
    std::vector<QRgb> palette;
    static const QRegularExpression colourPattern(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    for (const QString &word : text->split(u' ', Qt::SkipEmptyParts)) {
        if (!colourPattern.match(word).hasMatch())
            attributes.fail(ChartPalette, QStringLiteral("l'atribut «palette» de <chart> és una llista de colors "
                                                         "«#RRGGBB» separats per espais; «%1» no n'és cap.")
                                              .arg(word));
        palette.push_back(0xff000000u | word.mid(1).toUInt(nullptr, 16));
    }
    if (palette.empty())
        attributes.fail(ChartPalette, QStringLiteral("l'atribut «palette» de <chart> és buit: doneu-hi almenys un "
                                                     "color o traieu-lo."));
    return palette;
}

void ChartElementReader::readSeries(ChartDefinition &chart) const
{
    AttributeReader attributes(m_walker);
    ChartSeries series;
    if (chart.data == ChartData::Records) {
        if (attributes.has(u"operation"))
            attributes.fail(ChartSeriesKind, QStringLiteral("una sèrie d'un gràfic de registres dóna el camp de la "
                                                            "«y» a «source», sense «operation»: suma el de cada "
                                                            "registre."));
        series.value = std::make_shared<FieldRef>(m_references.field(attributes, u"source",
                                                                     {Kind::Database, Kind::Formula}));
    } else {
        if (!attributes.has(u"operation"))
            attributes.fail(ChartSeriesKind, QStringLiteral("una sèrie d'un gràfic de grups necessita «operation»: "
                                                            "el resum de cada grup que dibuixa."));
        FieldRef summary = readSummaryAttributes(attributes, m_references, u"source");
        summary.groupLevel = chart.categoryLevel + (chart.data == ChartData::GroupPairs ? 1 : 0);
        series.value = std::make_shared<FieldRef>(std::move(summary));
    }
    series.name = attributes.text(u"name");
    series.color = attributes.optionalColour(u"color");
    attributes.finish();
    m_walker.finishEmpty();
    chart.series.push_back(std::move(series));
}

void ChartElementReader::checkComplete(const ChartDefinition &chart, SourcePosition position) const
{
    const int count = int(chart.series.size());
    if (count == 0)
        m_walker.failAt(position, ChartSeriesCount,
                        QStringLiteral("el gràfic no té cap <series>: doneu-ne almenys una amb el valor que dibuixa."));
    if (chart.data == ChartData::GroupPairs && count != 1)
        m_walker.failAt(position, ChartSeriesCount,
                        QStringLiteral("un gràfic de parells de grups (data=\"groupPairs\") té una sola <series>: "
                                       "les sèries són els grups del nivell següent; en té %1.")
                            .arg(count));
    if (chart.isRound() && count != 1)
        m_walker.failAt(position, ChartSeriesCount,
                        QStringLiteral("un gràfic de sectors dibuixa una sola sèrie, i aquest en té %1.").arg(count));
    if (chart.data == ChartData::GroupPairs && chart.categoryLevel + 1 >= int(m_report.groups.size()))
        m_walker.failAt(position, ChartCategories,
                        QStringLiteral("un gràfic de parells de grups pren les sèries del grup següent al de les "
                                       "categories (el %1), i l'informe no en té cap més.")
                            .arg(chart.categoryLevel + 1));
}

void checkChartPlace(const SectionDefinition &section, const ReportObject &object, const XmlWalker &walker)
{
    if (object.kind != ReportObject::Kind::Chart || !object.chart)
        return;
    const bool groupSection = section.kind == SectionKind::GroupHeader || section.kind == SectionKind::GroupFooter;
    const bool reportSection = section.kind == SectionKind::ReportHeader || section.kind == SectionKind::ReportFooter;
    if (!groupSection && !reportSection)
        walker.failAt(object.position, ChartPlace,
                      QStringLiteral("el gràfic %1 només pot anar a la capçalera o al peu de l'informe o d'un grup, "
                                     "no a <%2>.")
                          .arg(object.name, nameOf(sectionElementNames(), section.kind)));
    if (object.chart->data != ChartData::Records && groupSection && object.chart->categoryLevel <= section.groupLevel)
        walker.failAt(object.position, ChartCategories,
                      QStringLiteral("el gràfic %1 és a una secció del grup %2 i en pren les categories del grup "
                                     "%3: han de ser grups de dins, d'un número més alt.")
                          .arg(object.name)
                          .arg(section.groupLevel + 1)
                          .arg(object.chart->categoryLevel + 1));
}

} // namespace velmora
