#include "engine/layout/Band.h"

#include <algorithm>
#include <cmath>
#include <tuple>

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

/// The cut at or above `cut` that runs between the window's rows; a cut
/// that would leave the heading alone goes above it.
Twips cutInWindow(const SheetWindow &w, Twips cut)
{
    if (cut <= w.at.y() || cut >= w.bottom())
        return cut;
    const Twips rows = w.sheet->rowBoundaryAtOrAbove(w.from + std::max(0, cut - w.rowsTop())) - w.from;
    return rows <= 0 ? w.at.y() : w.rowsTop() + rows;
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
    // Move the cut up past every line of text and every sheet row it would
    // run through.
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
        for (const SheetWindow &w : sheets) {
            const Twips cut = cutInWindow(w, best);
            moved = moved || cut < best;
            best = std::min(best, cut);
        }
    }
    return best;
}

Twips Band::forcedBreak() const
{
    Twips first = 0;
    for (const SheetWindow &w : sheets)
        for (Twips start : w.sheet->pageStarts()) {
            const Twips y = w.rowsTop() + start - w.from;
            if (start > w.from && start < w.to && y > 0 && (first == 0 || y < first))
                first = y;
        }
    return first;
}

void Band::pushDown(Twips from, Twips by)
{
    for (PageItem &item : items)
        if (topOf(item) >= from)
            translateItem(item, QPoint(0, by));
    for (SheetWindow &w : sheets)
        if (w.at.y() >= from)
            w.at.ry() += by;
}

void Band::appendSheetItems(QPoint offset, std::vector<PageItem> &into) const
{
    for (const SheetWindow &w : sheets) {
        if (w.headingHeight > 0)
            w.sheet->appendItems(w.headingTop, w.headingTop + w.headingHeight,
                                 offset + QPoint(w.at.x(), w.at.y() - w.headingTop), into);
        w.sheet->appendItems(w.from, w.to, offset + QPoint(w.at.x(), w.rowsTop() - w.from), into);
    }
}

Band Band::continuation(Twips offset) const
{
    Band rest = *this;
    rest.items.clear();
    rest.sheets.clear();
    rest.insertedAbove = 0;
    for (const SheetWindow &w : sheets) {
        if (offset >= w.bottom())
            continue;
        SheetWindow going = w;
        if (offset <= w.at.y()) {
            going.at.ry() -= offset;
        } else {
            // Cut inside the rows: they go on under their heading again.
            going.from = w.from + std::max(0, offset - w.rowsTop());
            std::tie(going.headingTop, going.headingHeight) = w.sheet->headingOver(going.from);
            going.at.setY(0);
            rest.insertedAbove = std::max(rest.insertedAbove, going.headingHeight);
        }
        rest.sheets.push_back(going);
    }
    rest.height = std::max(0, height - offset) + rest.insertedAbove;
    for (const PageItem &item : items) {
        if (topOf(item) < offset)
            continue;
        PageItem moved = item;
        translateItem(moved, QPoint(0, rest.insertedAbove - offset));
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
    top.sheets.clear();
    for (SheetWindow w : sheets) {
        if (offset <= w.at.y())
            continue;
        w.to = std::min(w.to, w.from + std::max(0, offset - w.rowsTop()));
        top.sheets.push_back(w);
    }
    top.newPageAfter = false;
    return top;
}

} // namespace velmora
