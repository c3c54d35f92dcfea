#include "engine/writers/ChartTables.h"

#include "engine/chart/ChartNumbers.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr Twips rowHeight = 240;
constexpr Twips rowAscent = 190;

FontSpec tableFont(bool bold)
{
    FontSpec font;
    font.pointSize = 9;
    font.bold = bold;
    return font;
}

bool insideAnyChart(const TextItem &text, const std::vector<QRect> &charts)
{
    const QPoint centre = text.box.center();
    return std::any_of(charts.begin(), charts.end(), [&](const QRect &r) { return r.contains(centre); });
}

class TableBuilder {
public:
    TableBuilder(const ChartValuesItem &chart, std::vector<PageItem> &out) : m_chart(chart), m_out(out)
    {
        const int columns = int(chart.series.size());
        const QRect &r = chart.rect;
        m_firstWidth = columns > 0 ? std::max(r.width() * 2 / 5, r.width() - columns * 1600) : r.width();
        m_columnWidth = columns > 0 ? std::max(1, (r.width() - m_firstWidth) / columns) : 0;
        m_top = r.top();
    }

    void build()
    {
        if (!m_chart.title.isEmpty()) {
            cell(0, m_chart.rect.width(), m_chart.title, HorizontalAlignment::Left, true);
            m_top += rowHeight;
        }
        cell(0, m_firstWidth, m_chart.categoryTitle, HorizontalAlignment::Left, true);
        for (int s = 0; s < int(m_chart.series.size()); ++s)
            cell(m_firstWidth + s * m_columnWidth, m_columnWidth, m_chart.series[s], HorizontalAlignment::Right, true);
        m_top += rowHeight;
        for (size_t c = 0; c < m_chart.numbers.size(); ++c) {
            cell(0, m_firstWidth, m_chart.categories.value(qsizetype(c)), HorizontalAlignment::Left, false);
            for (int s = 0; s < int(m_chart.numbers[c].size()); ++s) {
                const std::optional<double> number = m_chart.numbers[c][size_t(s)];
                TextItem &value = cell(m_firstWidth + s * m_columnWidth, m_columnWidth,
                                       number ? chartValueText(m_chart.valueFormat, *number) : QString(),
                                       HorizontalAlignment::Right, false);
                if (number) {
                    value.value = Value::number(*number);
                    value.cellFormat = m_chart.cellFormat;
                }
            }
            m_top += rowHeight;
        }
    }

private:
    TextItem &cell(Twips left, Twips width, const QString &text, HorizontalAlignment alignment, bool bold)
    {
        TextItem item;
        item.box = QRect(m_chart.rect.left() + left, m_top, std::max(1, width), rowHeight);
        item.baseline = rowAscent;
        item.text = text;
        item.font = tableFont(bold);
        item.alignment = alignment;
        m_out.emplace_back(std::move(item));
        return std::get<TextItem>(m_out.back());
    }

    const ChartValuesItem &m_chart;
    std::vector<PageItem> &m_out;
    Twips m_firstWidth = 0;
    Twips m_columnWidth = 0;
    Twips m_top = 0;
};

} // namespace

std::optional<Page> pageWithChartTables(const Page &page)
{
    std::vector<QRect> charts;
    for (const PageItem &item : page.items)
        if (const auto *chart = std::get_if<ChartValuesItem>(&item))
            charts.push_back(chart->rect);
    if (charts.empty())
        return std::nullopt;
    Page tabulated;
    tabulated.number = page.number;
    tabulated.size = page.size;
    for (const PageItem &item : page.items) {
        if (const auto *chart = std::get_if<ChartValuesItem>(&item)) {
            TableBuilder(*chart, tabulated.items).build();
            continue;
        }
        const auto *text = std::get_if<TextItem>(&item);
        if (text && insideAnyChart(*text, charts))
            continue;
        tabulated.items.push_back(item);
    }
    return tabulated;
}

} // namespace velmora
