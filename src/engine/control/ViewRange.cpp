#include "engine/control/ViewRange.h"

#include <algorithm>

namespace velmora {

int ViewRange::pageCount(int pagesLaidOut) const
{
    const int end = lastPage ? std::min(*lastPage + 1, pagesLaidOut) : pagesLaidOut;
    return std::max(0, end - firstPage);
}

int ViewRange::clamped(int pageIndex, int pagesLaidOut, bool sourceComplete) const
{
    int index = std::max(pageIndex, firstPage);
    if (lastPage)
        index = std::min(index, *lastPage);
    if (sourceComplete)
        index = std::min(index, std::max(firstPage, pagesLaidOut - 1));
    return index;
}

ViewRange ViewRange::forGroup(const std::vector<ContentsEntry> &contents, int index)
{
    const ContentsEntry &entry = contents.at(size_t(index));
    ViewRange range{entry.title, entry.pageIndex, std::nullopt, entry.pageIndex};
    for (size_t next = size_t(index) + 1; next < contents.size(); ++next) {
        const ContentsEntry &after = contents[next];
        if (after.level > entry.level)
            continue;
        // A group that starts at the very top of a page left the page
        // before it to the group it follows.
        const int last = after.y > 0 ? after.pageIndex : after.pageIndex - 1;
        range.lastPage = std::max(entry.pageIndex, last);
        break;
    }
    return range;
}

} // namespace velmora
