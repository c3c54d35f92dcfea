#include "engine/layout/Band.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

int topOf(const PageItem &item)
{
    return std::visit(
        [](const auto &i) -> int {
            using T = std::decay_t<decltype(i)>;
            if constexpr (std::is_same_v<T, TextItem>)
                return i.box.top();
            else if constexpr (std::is_same_v<T, LineItem>)
                return std::min(i.from.y(), i.to.y());
            else if constexpr (std::is_same_v<T, PathItem>)
                return int(std::floor(i.bounds().top()));
            else
                return i.rect.top();
        },
        item);
}

} // namespace

void translateItem(PageItem &item, QPoint offset)
{
    std::visit(
        [offset](auto &i) {
            using T = std::decay_t<decltype(i)>;
            if constexpr (std::is_same_v<T, TextItem>)
                i.box.translate(offset);
            else if constexpr (std::is_same_v<T, LineItem>) {
                i.from += offset;
                i.to += offset;
            } else if constexpr (std::is_same_v<T, PathItem>)
                i.translate(QPointF(offset));
            else
                i.rect.translate(offset);
        },
        item);
}

Twips Band::splitPoint(Twips limit) const
{
    Twips best = limit;
    // Move the cut up past every line of text it would run through.
    bool moved = true;
    while (moved && best > 0) {
        moved = false;
        for (const PageItem &item : items) {
            const auto *text = std::get_if<TextItem>(&item);
            if (text && text->box.top() < best && text->box.top() + text->box.height() > best) {
                best = text->box.top();
                moved = true;
            }
        }
    }
    return best;
}

Band Band::continuation(Twips offset) const
{
    Band rest = *this;
    rest.height = std::max(0, height - offset);
    rest.items.clear();
    for (const PageItem &item : items) {
        if (topOf(item) < offset)
            continue;
        PageItem moved = item;
        translateItem(moved, QPoint(0, -offset));
        rest.items.push_back(std::move(moved));
    }
    rest.newPageBefore = false;
    return rest;
}

Band Band::head(Twips offset) const
{
    Band top = *this;
    top.height = offset;
    top.items.clear();
    for (const PageItem &item : items)
        if (topOf(item) < offset)
            top.items.push_back(item);
    top.newPageAfter = false;
    return top;
}

} // namespace velmora
