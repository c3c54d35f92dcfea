#include "PageRows.h"

#include <algorithm>
#include <map>

namespace velmora::testing {

std::optional<QString> TextRow::textAt(int left) const
{
    for (const auto &item : items)
        if (item.box.left() == left)
            return item.text;
    return std::nullopt;
}

QStringList TextRow::texts() const
{
    QStringList all;
    for (const auto &item : items)
        all << item.text;
    return all;
}

std::vector<TextRow> textRows(const Page &page, int pageIndex)
{
    std::map<int, TextRow> byTop;
    for (const auto &item : page.items) {
        if (const auto *text = std::get_if<TextItem>(&item)) {
            TextRow &row = byTop[text->box.top()];
            row.pageIndex = pageIndex;
            row.top = text->box.top();
            row.items.push_back(*text);
        }
    }
    std::vector<TextRow> rows;
    for (auto &[top, row] : byTop) {
        std::stable_sort(row.items.begin(), row.items.end(),
                         [](const TextItem &a, const TextItem &b) { return a.box.left() < b.box.left(); });
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace velmora::testing
