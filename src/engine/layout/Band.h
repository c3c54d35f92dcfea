#pragma once

#include "engine/page/Page.h"

#include <vector>

namespace velmora {

/// One printed occurrence of a section: its height and what it shows, with
/// positions relative to the band's top-left corner.
struct Band {
    Twips height = 0;
    bool suppressed = false;
    bool keepTogether = false;
    bool newPageBefore = false;
    bool newPageAfter = false;
    std::vector<PageItem> items;

    /// The lowest cut at or above `limit` that splits no line of text, or 0
    /// when the band cannot be cut there.
    Twips splitPoint(Twips limit) const;
    /// The band from `offset` down, moved up by `offset`; items that start
    /// above the cut stay with the part already printed.
    Band continuation(Twips offset) const;
    /// The part above `offset`.
    Band head(Twips offset) const;
};

/// Moves a page item by `offset`.
void translateItem(PageItem &item, QPoint offset);

} // namespace velmora
