#pragma once

#include "engine/page/Page.h"

#include <optional>

namespace velmora {

/// For the outputs that print text on a grid (plain text, the Excel
/// layout): the page with each chart's drawn labels replaced by a small
/// table of what it shows: its title, a line naming the series, and a line
/// per category with its values. None when the page holds no chart.
std::optional<Page> pageWithChartTables(const Page &page);

} // namespace velmora
