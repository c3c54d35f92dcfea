#pragma once

// A cross-tab read back from laid-out pages the way a reader sees it: each
// typed cell under the column heading above it and beside the row heading
// on its left.

#include "engine/page/Page.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <map>
#include <vector>

namespace velmora::testing {

struct CrossTabCellSeen {
    int page = 0;
    QString row;
    QString column;
    const TextItem *item = nullptr;
};

struct CrossTabSeen {
    std::vector<Page> pages; ///< what the cells point into
    std::vector<CrossTabCellSeen> cells;
    std::map<int, QStringList> rowHeadings;    ///< by page, top to bottom
    std::map<int, QStringList> columnHeadings; ///< by page, left to right

    /// The cells found under each (row, column), in page order.
    std::map<std::pair<QString, QString>, std::vector<const CrossTabCellSeen *>> byPlace() const
    {
        std::map<std::pair<QString, QString>, std::vector<const CrossTabCellSeen *>> places;
        for (const CrossTabCellSeen &c : cells)
            places[{c.row, c.column}].push_back(&c);
        return places;
    }
};

/// Cells are the texts with a number behind them. `rowHeadingLeft` is where the text of the first row heading column starts
/// on the page: the cross-tab's left edge plus its padding.
inline CrossTabSeen readCrossTab(std::vector<Page> pages, int rowHeadingLeft)
{
    CrossTabSeen seen;
    seen.pages = std::move(pages);
    for (size_t p = 0; p < seen.pages.size(); ++p) {
        std::vector<const TextItem *> texts;
        for (const PageItem &item : seen.pages[p].items)
            if (const auto *t = std::get_if<TextItem>(&item))
                texts.push_back(t);
        int firstCellTop = std::numeric_limits<int>::max();
        const auto isCell = [](const TextItem *t) { return t->value.isNumeric(); };
        for (const TextItem *t : texts)
            if (isCell(t))
                firstCellTop = std::min(firstCellTop, t->box.top());
        std::map<int, QString> rowAt; // by top
        std::vector<const TextItem *> columnHeads;
        for (const TextItem *t : texts) {
            if (isCell(t))
                continue;
            if (t->box.left() == rowHeadingLeft && t->box.top() >= firstCellTop)
                rowAt[t->box.top()] = t->text;
            else if (t->box.left() > rowHeadingLeft && t->box.top() < firstCellTop)
                columnHeads.push_back(t);
        }
        for (const auto &[top, text] : rowAt)
            seen.rowHeadings[int(p)].append(text);
        std::sort(columnHeads.begin(), columnHeads.end(),
                  [](const TextItem *a, const TextItem *b) { return a->box.left() < b->box.left(); });
        for (const TextItem *t : texts) {
            if (!isCell(t))
                continue;
            CrossTabCellSeen cell{int(p), rowAt.count(t->box.top()) ? rowAt[t->box.top()] : QString(), QString(), t};
            const int middle = t->box.center().x();
            int nearest = std::numeric_limits<int>::min();
            for (const TextItem *h : columnHeads)
                if (h->box.left() <= middle && middle <= h->box.right() && h->box.top() > nearest) {
                    nearest = h->box.top();
                    cell.column = h->text;
                }
            seen.cells.push_back(cell);
        }
        // The innermost heading row: the lowest one.
        int lowest = std::numeric_limits<int>::min();
        for (const TextItem *h : columnHeads)
            lowest = std::max(lowest, h->box.top());
        for (const TextItem *h : columnHeads)
            if (h->box.top() == lowest)
                seen.columnHeadings[int(p)].append(h->text);
    }
    return seen;
}

} // namespace velmora::testing
