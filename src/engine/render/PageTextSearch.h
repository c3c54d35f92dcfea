#pragma once

#include "engine/page/Page.h"

#include <QRectF>

#include <vector>

namespace velmora {

/// One place where searched text appears on a page.
struct TextMatch {
    int itemIndex = 0;  ///< index into Page::items
    QRectF rect;        ///< the matched characters, in twips
};

/// Finds text on laid-out pages, case-insensitively, for the viewer's find
/// command. A match never spans two items: each item is one printed line.
class PageTextSearch {
public:
    static std::vector<TextMatch> find(const Page &page, const QString &needle);
};

} // namespace velmora
