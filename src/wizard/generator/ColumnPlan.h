#pragma once

#include "engine/layout/TextMeasurer.h"
#include "wizard/generator/FieldPresentation.h"
#include "wizard/generator/ReportStyle.h"

#include <QString>

#include <vector>

namespace velmora::wizard {

/// One column to place: its heading and how its values are shown.
struct ColumnRequest {
    QString heading;
    FieldPresentation presentation;
};

struct PlannedColumn {
    Twips left = 0;
    Twips width = 0;
    int headingLines = 1;
    bool wraps = false; ///< its values may take several lines
};

/// Columns side by side across the page, a gap apart, none overlapping:
/// each as wide as its usual value or its heading, measured in the style's
/// fonts. Room left over widens the text columns; a page too narrow
/// narrows the text columns first, then every column, and their values wrap.
struct ColumnPlan {
    std::vector<PlannedColumn> columns;
    Twips naturalWidth = 0;  ///< the width the columns would like, gaps included
    Twips headingHeight = 0; ///< of the tallest heading
    Twips lineHeight = 0;    ///< of one line of values

    static constexpr Twips gap = 120;
    static constexpr int maximumHeadingLines = 3;
};

/// The width the columns would like, gaps included, before fitting a page.
Twips naturalWidth(const std::vector<ColumnRequest> &requests, const ReportStyle &style, TextMeasurer &measurer);

ColumnPlan planColumns(const std::vector<ColumnRequest> &requests, Twips pageWidth, const ReportStyle &style,
                       TextMeasurer &measurer);

} // namespace velmora::wizard
