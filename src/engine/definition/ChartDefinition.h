#pragma once

// What a chart object of a report shows and how (docs/report-format.md,
// "<chart>"). Kept apart from the other objects' settings: only charts use it.

#include "engine/page/Page.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace velmora {

struct FieldRef;

enum class ChartType : quint8 { Bar, Line, Area, Pie, Doughnut };
enum class BarDirection : quint8 { Vertical, Horizontal };
enum class BarStacking : quint8 { Clustered, Stacked, Percent };
enum class LegendPlace : quint8 { Right, Left, Top, Bottom, None };

/// Where the chart's numbers come from. `Groups`: one category per group of
/// `categoryLevel` inside the section's scope, one series per summary.
/// `GroupPairs`: categories from `categoryLevel`, one series per value of
/// the next level, the one summary over that next level. `Records`: one
/// point per distinct x of the detail records in the scope, each series
/// summing its y field over the records sharing that x.
enum class ChartData : quint8 { Groups, GroupPairs, Records };

/// One series: a summary (Groups, GroupPairs) or a y field (Records).
struct ChartSeries {
    std::shared_ptr<FieldRef> value; ///< a Summary, or a Database/Formula field for Records
    QString name;                    ///< legend text; empty: worked out from the value
    std::optional<QRgb> color;       ///< empty: the palette's colour for its place
    bool operator==(const ChartSeries &other) const;
};

struct ChartDefinition {
    ChartType type = ChartType::Bar;
    BarDirection direction = BarDirection::Vertical;
    BarStacking stacking = BarStacking::Clustered;
    bool markers = true; ///< Line: a dot at each point

    ChartData data = ChartData::Groups;
    int categoryLevel = 0;              ///< 0-based group level (Groups, GroupPairs)
    std::shared_ptr<FieldRef> xField;   ///< Records: the category of each record
    int maximumPoints = 1000;           ///< Records: points drawn at most
    std::vector<ChartSeries> series;

    QString title;
    LegendPlace legend = LegendPlace::Right;
    QString categoryTitle;
    QString valueTitle;
    bool gridlines = true;
    bool valueLabels = false;
    QString valueFormat; ///< as a field's format; empty: the values' own
    std::vector<QRgb> palette; ///< empty: the default palette
    FontSpec font{QStringLiteral("Arial"), 8.0};
    double titleSize = 12.0;
    QRgb textColor = qRgb(0, 0, 0);

    bool isRound() const { return type == ChartType::Pie || type == ChartType::Doughnut; }
    bool operator==(const ChartDefinition &other) const;
};

/// The points a Records chart draws at most, whatever it asks for.
constexpr int largestChartPointCount = 10000;

} // namespace velmora
