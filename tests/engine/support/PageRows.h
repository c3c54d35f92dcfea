#pragma once

#include "engine/page/Page.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace velmora::testing {

/// The texts of a page that share a top edge, left to right: one row of a
/// section as the report placed it.
struct TextRow {
    int pageIndex = 0;
    int top = 0;
    std::vector<TextItem> items;

    /// The text whose box starts at `left` twips from the page's edge.
    std::optional<QString> textAt(int left) const;
    QString firstText() const { return items.empty() ? QString() : items.front().text; }
    const TextItem *first() const { return items.empty() ? nullptr : &items.front(); }
    QStringList texts() const;
};

/// The rows of one page, top to bottom.
std::vector<TextRow> textRows(const Page &page, int pageIndex);

} // namespace velmora::testing
