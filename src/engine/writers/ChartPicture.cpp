#include "engine/writers/ChartPicture.h"

#include "engine/render/PagePainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

/// Pictures wider or taller than this many dots are drawn coarser.
constexpr int largestSide = 4000;

QRect boundsOf(const PageItem &item)
{
    return std::visit(
        [](const auto &i) -> QRect {
            using T = std::decay_t<decltype(i)>;
            if constexpr (std::is_same_v<T, TextItem>)
                return i.box;
            else if constexpr (std::is_same_v<T, LineItem>)
                return QRect(i.from, i.to).normalized();
            else if constexpr (std::is_same_v<T, PathItem>)
                return i.bounds().toAlignedRect();
            else
                return i.rect;
        },
        item);
}

bool isDrawing(const PageItem &item)
{
    return !std::holds_alternative<ChartValuesItem>(item);
}

/// Whether `item` belongs to the chart over `rect`: a drawing lying within
/// it, or a line of text centred in it.
bool within(const PageItem &item, const QRect &rect)
{
    if (const auto *text = std::get_if<TextItem>(&item))
        return rect.contains(text->box.center());
    return rect.adjusted(-40, -40, 40, 40).contains(boundsOf(item));
}

PictureItem drawnChart(const Page &page, const QRect &rect, double dotsPerInch)
{
    double dotsPerTwip = dotsPerInch / twipsPerInch;
    dotsPerTwip = std::min({dotsPerTwip, double(largestSide) / std::max(1, rect.width()),
                            double(largestSide) / std::max(1, rect.height())});
    const QSize dots(std::max(1, int(std::lround(rect.width() * dotsPerTwip))),
                     std::max(1, int(std::lround(rect.height() * dotsPerTwip))));
    Page part;
    part.size = rect.size();
    for (const PageItem &item : page.items) {
        if (!isDrawing(item) || !within(item, rect))
            continue;
        PageItem moved = item;
        std::visit(
            [&](auto &i) {
                using T = std::decay_t<decltype(i)>;
                if constexpr (std::is_same_v<T, TextItem>)
                    i.box.translate(-rect.topLeft());
                else if constexpr (std::is_same_v<T, LineItem>) {
                    i.from -= rect.topLeft();
                    i.to -= rect.topLeft();
                } else if constexpr (std::is_same_v<T, PathItem>)
                    i.translate(-QPointF(rect.topLeft()));
                else if constexpr (std::is_same_v<T, BoxItem> || std::is_same_v<T, PictureItem>)
                    i.rect.translate(-rect.topLeft());
            },
            moved);
        part.items.push_back(std::move(moved));
    }
    QImage image(dots, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(int(std::lround(dotsPerTwip * twipsPerInch / 0.0254)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    QPainter painter(&image);
    PagePainter::paint(painter, part, dotsPerTwip);
    painter.end();
    return PictureItem{rect, image, QString()};
}

} // namespace

ChartPictures::ChartPictures(const Page &page, double dotsPerInch)
{
    for (const PageItem &item : page.items)
        if (const auto *chart = std::get_if<ChartValuesItem>(&item))
            m_charts.push_back(chart->rect);
    for (const QRect &rect : m_charts)
        m_pictures.push_back(drawnChart(page, rect, dotsPerInch));
}

Page ChartPictures::withoutCharts(const Page &page) const
{
    Page rest;
    rest.number = page.number;
    rest.size = page.size;
    for (const PageItem &item : page.items)
        if (!std::holds_alternative<ChartValuesItem>(item) && !drawnInPicture(item))
            rest.items.push_back(item);
    return rest;
}

bool ChartPictures::drawnInPicture(const PageItem &item) const
{
    if (m_charts.empty() || !isDrawing(item))
        return false;
    return std::any_of(m_charts.begin(), m_charts.end(), [&](const QRect &r) { return within(item, r); });
}

} // namespace velmora
