#include "engine/writers/BaselineRows.h"

#include <algorithm>

namespace velmora {

namespace {

Twips absoluteBaseline(const TextItem &item)
{
    return item.box.top() + item.baseline;
}

} // namespace

std::vector<BaselineRows::Row> BaselineRows::of(const Page &page, Twips tolerance)
{
    std::vector<const TextItem *> texts;
    for (const PageItem &item : page.items) {
        if (const auto *text = std::get_if<TextItem>(&item); text && !text->text.isEmpty())
            texts.push_back(text);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const TextItem *a, const TextItem *b) {
        return absoluteBaseline(*a) < absoluteBaseline(*b);
    });

    std::vector<Row> rows;
    for (const TextItem *text : texts) {
        const Twips baseline = absoluteBaseline(*text);
        if (rows.empty() || baseline - rows.back().baseline > tolerance)
            rows.push_back(Row{baseline, {}});
        rows.back().items.push_back(text);
    }
    for (Row &row : rows) {
        std::stable_sort(row.items.begin(), row.items.end(),
                         [](const TextItem *a, const TextItem *b) { return a->box.left() < b->box.left(); });
    }
    return rows;
}

} // namespace velmora
