#pragma once

#include <QStringList>

#include <optional>
#include <vector>

namespace velmora {

/// The numbers a chart draws, gathered from the report: a name per
/// category and per series, and a value for each pair (none where a series
/// has nothing for a category).
struct ChartValues {
    QStringList categories;
    QStringList series;
    std::vector<std::vector<std::optional<double>>> values; ///< [series][category]

    std::optional<double> at(int series, int category) const
    {
        return values[size_t(series)][size_t(category)];
    }
    int categoryCount() const { return int(categories.size()); }
    int seriesCount() const { return int(series.size()); }
};

} // namespace velmora
