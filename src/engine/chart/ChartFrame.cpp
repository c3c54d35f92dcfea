#include "engine/chart/ChartFrame.h"

#include "engine/chart/ChartLabels.h"
#include "engine/chart/ChartPalette.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr Twips gap = 80;

FontSpec titleFont(const ChartDefinition &chart)
{
    FontSpec font = chart.font;
    font.pointSize = chart.titleSize;
    font.bold = true;
    return font;
}

} // namespace

ChartFrame::ChartFrame(const ChartDefinition &chart, const QRect &rect, const QStringList &legendEntries,
                       ChartTextMetrics &metrics)
    : m_metrics(metrics)
{
    QRect room = rect.adjusted(chartPadding, chartPadding, -chartPadding, -chartPadding);
    placeTitle(chart, room);
    if (chart.legend != LegendPlace::None && !legendEntries.isEmpty())
        placeLegend(chart, legendEntries, room);
    m_plot = room.isValid() ? room : QRect(rect.topLeft(), QSize(0, 0));
}

void ChartFrame::placeTitle(const ChartDefinition &chart, QRect &room)
{
    if (chart.title.isEmpty())
        return;
    const FontSpec font = titleFont(chart);
    const Twips height = m_metrics.lineHeight(font);
    const QString shown = elidedLabel(m_metrics, font, chart.title, room.width());
    m_items.emplace_back(chartText(m_metrics, QRect(room.left(), room.top(), room.width(), height), shown, font,
                                   chart.textColor, HorizontalAlignment::Center));
    room.setTop(room.top() + height + gap);
}

void ChartFrame::legendEntry(const ChartDefinition &chart, int index, const QString &text, QPoint at,
                             Twips textWidth)
{
    const Twips line = m_metrics.lineHeight(chart.font);
    BoxItem swatch;
    swatch.rect = QRect(at.x(), at.y() + (line - legendSwatch) / 2, legendSwatch, legendSwatch);
    swatch.filled = true;
    swatch.fillColor = chartColour(chart, index);
    swatch.borderWidth = 10;
    swatch.borderColor = qRgb(0x40, 0x40, 0x40);
    m_items.emplace_back(swatch);
    const QString shown = elidedLabel(m_metrics, chart.font, text, textWidth);
    m_items.emplace_back(chartText(m_metrics, QRect(at.x() + legendSwatch + 60, at.y(), textWidth + 20, line),
                                   shown, chart.font, chart.textColor, HorizontalAlignment::Left));
}

void ChartFrame::placeLegend(const ChartDefinition &chart, const QStringList &entries, QRect &room)
{
    const Twips line = m_metrics.lineHeight(chart.font);
    std::vector<Twips> widths;
    for (const QString &entry : entries)
        widths.push_back(m_metrics.width(chart.font, entry));
    const Twips lead = legendSwatch + 60;
    if (chart.legend == LegendPlace::Right || chart.legend == LegendPlace::Left) {
        // A column of entries, no wider than a third of the chart; the
        // entries that do not fit below one another are left out.
        const Twips textWidth = std::min(*std::max_element(widths.begin(), widths.end()),
                                         std::max(0, room.width() / 3 - lead));
        const Twips columnWidth = lead + textWidth + 20;
        const int fitting = std::max(1, room.height() / std::max(1, line));
        const int shown = std::min(int(entries.size()), fitting);
        const Twips left = chart.legend == LegendPlace::Right ? room.right() + 1 - columnWidth : room.left();
        const Twips top = room.top() + std::max(0, (room.height() - shown * line) / 2);
        for (int i = 0; i < shown; ++i)
            legendEntry(chart, i, entries[i], QPoint(left, top + i * line), textWidth);
        if (chart.legend == LegendPlace::Right)
            room.setRight(left - gap - 1);
        else
            room.setLeft(left + columnWidth + gap);
        return;
    }
    // Rows of entries side by side, centred, as many rows as they need.
    std::vector<std::vector<int>> rows(1);
    Twips rowWidth = 0;
    const Twips widest = std::max(1, room.width() - lead);
    for (int i = 0; i < int(entries.size()); ++i) {
        const Twips width = lead + std::min(widths[size_t(i)], widest) + gap * 2;
        if (!rows.back().empty() && rowWidth + width > room.width()) {
            rows.emplace_back();
            rowWidth = 0;
        }
        rows.back().push_back(i);
        rowWidth += width;
    }
    const int rowCount = std::min(int(rows.size()), std::max(1, room.height() / 3 / std::max(1, line)));
    const Twips height = rowCount * line;
    Twips top = chart.legend == LegendPlace::Top ? room.top() : room.bottom() + 1 - height;
    for (int r = 0; r < rowCount; ++r, top += line) {
        Twips total = 0;
        for (int i : rows[size_t(r)])
            total += lead + std::min(widths[size_t(i)], widest) + gap * 2;
        Twips x = room.left() + std::max(0, (room.width() - total) / 2);
        for (int i : rows[size_t(r)]) {
            const Twips textWidth = std::min(widths[size_t(i)], widest);
            legendEntry(chart, i, entries[i], QPoint(x, top), textWidth);
            x += lead + textWidth + gap * 2;
        }
    }
    if (chart.legend == LegendPlace::Top)
        room.setTop(room.top() + height + gap);
    else
        room.setBottom(room.bottom() - height - gap);
}

} // namespace velmora
