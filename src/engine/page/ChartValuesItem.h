#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace velmora {

/// What a chart shows, as words and numbers, over the rectangle its
/// drawing fills. Not drawn: outputs that draw (screen, printer, PDF) skip
/// it; outputs that cannot draw (text, the Excel layout) print it as a small
/// table in place of the drawing's scattered labels, and the Word export
/// takes it as the frame of the chart's picture.
struct ChartValuesItem {
    QRect rect;
    QString title;
    QString categoryTitle;
    QStringList series;     ///< one column each
    QStringList categories; ///< one row each
    std::vector<std::vector<std::optional<double>>> numbers; ///< [category][series]
    QString valueFormat; ///< how the chart writes its numbers (chartValueText); empty: its default
    QString cellFormat; ///< the numbers' format in spreadsheet form
};

} // namespace velmora
