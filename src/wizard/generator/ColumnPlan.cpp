#include "wizard/generator/ColumnPlan.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace velmora::wizard {

namespace {

// A heading may take up to this width before it wraps, when its values are
// narrower.
constexpr Twips widestHeading = 2200;
constexpr Twips narrowestColumn = 300;
constexpr Twips narrowestText = 900;

const QString sampleText = QStringLiteral("Barcelona, l'Hospitalet; Girona Lleida Tarragona");

Twips valueWidth(const FieldPresentation &presentation, const FontSpec &font, TextMeasurer &measurer)
{
    if (presentation.digits)
        return measurer.width(font, QString(presentation.characters, u'0'));
    const double average = double(measurer.width(font, sampleText)) / double(sampleText.size());
    return Twips(std::ceil(average * presentation.characters));
}

Twips wantedWidth(const ColumnRequest &request, const ReportStyle &style, TextMeasurer &measurer)
{
    const Twips values = valueWidth(request.presentation, style.body(), measurer);
    const Twips heading = measurer.width(style.body(true), request.heading);
    return std::max({values, std::min(heading, std::max(values, widestHeading)), narrowestColumn});
}

Twips totalOf(const std::vector<Twips> &widths)
{
    const Twips gaps = widths.empty() ? 0 : ColumnPlan::gap * Twips(widths.size() - 1);
    return std::accumulate(widths.begin(), widths.end(), Twips(0)) + gaps;
}

/// Moves `change` twips into or out of the chosen columns, in proportion
/// to their widths, none below `floor`.
void spread(std::vector<Twips> &widths, const std::vector<bool> &chosen, Twips change, Twips floor)
{
    for (int round = 0; round < 4 && change != 0; ++round) {
        Twips base = 0;
        for (size_t i = 0; i < widths.size(); ++i)
            if (chosen[i] && (change > 0 || widths[i] > floor))
                base += widths[i];
        if (base == 0)
            return;
        Twips moved = 0;
        for (size_t i = 0; i < widths.size(); ++i) {
            if (!chosen[i] || (change < 0 && widths[i] <= floor))
                continue;
            Twips step = Twips(double(change) * widths[i] / base);
            if (change < 0)
                step = std::max(step, floor - widths[i]);
            widths[i] += step;
            moved += step;
        }
        change -= moved;
        if (moved == 0)
            return;
    }
}

void fitToPage(std::vector<Twips> &widths, const std::vector<ColumnRequest> &requests, Twips pageWidth)
{
    std::vector<bool> text(widths.size()), all(widths.size(), true);
    for (size_t i = 0; i < widths.size(); ++i)
        text[i] = !requests[i].presentation.digits && requests[i].presentation.alignment == HorizontalAlignment::Left;
    const Twips change = pageWidth - totalOf(widths);
    if (change > 0) {
        spread(widths, text, change, 0);
        return;
    }
    spread(widths, text, change, narrowestText);
    spread(widths, all, pageWidth - totalOf(widths), narrowestColumn);
    // Whatever is still over, after rounding or with very many columns, is
    // taken from every column alike, so that the last never runs past the
    // margin.
    const Twips room = pageWidth - totalOf(std::vector<Twips>(widths.size(), 0));
    const Twips used = totalOf(widths) - totalOf(std::vector<Twips>(widths.size(), 0));
    if (used > room && used > 0)
        for (Twips &width : widths)
            width = std::max(1, Twips(double(width) * std::max(room, Twips(widths.size())) / used));
}

} // namespace

Twips naturalWidth(const std::vector<ColumnRequest> &requests, const ReportStyle &style, TextMeasurer &measurer)
{
    std::vector<Twips> widths;
    for (const ColumnRequest &request : requests)
        widths.push_back(wantedWidth(request, style, measurer));
    return totalOf(widths);
}

ColumnPlan planColumns(const std::vector<ColumnRequest> &requests, Twips pageWidth, const ReportStyle &style,
                       TextMeasurer &measurer)
{
    ColumnPlan plan;
    std::vector<Twips> widths;
    for (const ColumnRequest &request : requests)
        widths.push_back(wantedWidth(request, style, measurer));
    plan.naturalWidth = totalOf(widths);
    fitToPage(widths, requests, pageWidth);
    const Twips headingLine = measurer.lineMetrics(style.body(true)).height;
    plan.lineHeight = measurer.lineMetrics(style.body()).height;
    plan.headingHeight = headingLine;
    Twips left = 0;
    for (size_t i = 0; i < requests.size(); ++i) {
        PlannedColumn column;
        column.left = left;
        column.width = widths[i];
        const int lines = int(measurer.wrap(style.body(true), requests[i].heading, widths[i]).size());
        column.headingLines = std::clamp(lines, 1, ColumnPlan::maximumHeadingLines);
        column.wraps = requests[i].presentation.mayWrap
                       || valueWidth(requests[i].presentation, style.body(), measurer) > widths[i];
        plan.headingHeight = std::max(plan.headingHeight, headingLine * column.headingLines);
        plan.columns.push_back(column);
        left += widths[i] + ColumnPlan::gap;
    }
    return plan;
}

} // namespace velmora::wizard
