#pragma once

// A cross-tab object: records counted into a grid of row values by column
// values, each cell holding one to three summaries, with totals
// (docs/report-format.md, "<crossTab>").

#include "engine/definition/FormattedProperty.h"
#include "engine/definition/ReportDefinition.h"

namespace velmora {

/// Font and colours of one kind of cross-tab cell (headings, cells, totals).
/// Cells and totals may work out their background by formula, cell by cell.
struct CrossTabStyle {
    FontSpec font;
    QRgb color = qRgb(0, 0, 0);
    std::optional<QRgb> background;
    std::vector<PropertyFormula> propertyFormulas; ///< only background
    bool operator==(const CrossTabStyle &) const = default;
};

/// How the lines of one row or column level are ordered.
enum class CrossTabOrder : quint8 { Ascending, Descending, TotalAscending, TotalDescending };

/// One level of rows or columns: the field or formula whose values make its
/// lines, how they are written and ordered, and whether only the N with the
/// largest totals are kept.
struct CrossTabLevel {
    FieldRef field; ///< Database or Formula
    QString format; ///< how its values are written; empty: the type's default
    CrossTabOrder order = CrossTabOrder::Ascending;
    std::optional<int> top;   ///< keep the N lines with the largest totals in each outer line
    bool gatherRest = true;   ///< with `top`: the others make one line, last
    QString restName = QStringLiteral("Altres");
    bool subtotals = true;    ///< not the innermost level: a total line after each of its lines
    SourcePosition position;
    bool operator==(const CrossTabLevel &) const = default;
};

/// One summary each cell shows.
struct CrossTabSummary {
    FieldRef summary; ///< kind Summary: operation, operand, argument, weight
    QString format;   ///< how its values are written
    QString label;    ///< the heading over it when cells hold more than one
    bool operator==(const CrossTabSummary &) const = default;
};

struct CrossTabDefinition {
    std::vector<CrossTabLevel> rows;    ///< outermost first, one to three
    std::vector<CrossTabLevel> columns; ///< outermost first, one or two
    std::vector<CrossTabSummary> summaries; ///< one to three
    bool rowTotals = true;    ///< a column at the right with each row's total
    bool columnTotals = true; ///< a row at the bottom with each column's total
    QString nullLabel = QStringLiteral("(sense valor)");
    QString totalLabel = QStringLiteral("Total");
    std::optional<Twips> columnWidth;     ///< none: each column as wide as its widest text
    std::optional<Twips> rowHeadingWidth; ///< none: as wide as the widest heading
    bool gridLines = true;
    QRgb gridColor = qRgb(128, 128, 128);
    Twips gridWidth = 10;
    CrossTabStyle headingStyle;
    CrossTabStyle cellStyle;
    CrossTabStyle totalStyle;
    bool operator==(const CrossTabDefinition &) const = default;

    static constexpr int maximumRowLevels = 3;
    static constexpr int maximumColumnLevels = 2;
    static constexpr int maximumSummaries = 3;
};

} // namespace velmora
