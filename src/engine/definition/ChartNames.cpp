#include "engine/definition/ChartNames.h"

namespace velmora {

std::span<const EnumName<ChartType>> chartTypeNames()
{
    static constexpr EnumName<ChartType> names[] = {
        {ChartType::Bar, u"bar"},   {ChartType::Line, u"line"},         {ChartType::Area, u"area"},
        {ChartType::Pie, u"pie"},   {ChartType::Doughnut, u"doughnut"},
    };
    return names;
}

std::span<const EnumName<BarDirection>> barDirectionNames()
{
    static constexpr EnumName<BarDirection> names[] = {
        {BarDirection::Vertical, u"vertical"}, {BarDirection::Horizontal, u"horizontal"}};
    return names;
}

std::span<const EnumName<BarStacking>> barStackingNames()
{
    static constexpr EnumName<BarStacking> names[] = {
        {BarStacking::Clustered, u"clustered"}, {BarStacking::Stacked, u"stacked"}, {BarStacking::Percent, u"percent"}};
    return names;
}

std::span<const EnumName<LegendPlace>> legendPlaceNames()
{
    static constexpr EnumName<LegendPlace> names[] = {
        {LegendPlace::Right, u"right"}, {LegendPlace::Left, u"left"}, {LegendPlace::Top, u"top"},
        {LegendPlace::Bottom, u"bottom"}, {LegendPlace::None, u"none"},
    };
    return names;
}

std::span<const EnumName<ChartData>> chartDataNames()
{
    static constexpr EnumName<ChartData> names[] = {
        {ChartData::Groups, u"groups"}, {ChartData::GroupPairs, u"groupPairs"}, {ChartData::Records, u"records"}};
    return names;
}

} // namespace velmora
