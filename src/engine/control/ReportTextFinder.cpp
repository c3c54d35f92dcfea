#include "engine/control/ReportTextFinder.h"

#include "engine/render/PageTextSearch.h"

namespace velmora {

std::optional<FoundText> ReportTextFinder::next(const PageSource &source, const ViewRange &view,
                                                const QString &text, int fromPage,
                                                const std::optional<FoundText> &previous)
{
    const int count = view.pageCount(source.pagesLaidOut());
    if (text.isEmpty() || count == 0)
        return std::nullopt;
    const int start = previous ? previous->pageIndex : fromPage;
    const int startOffset = std::clamp(start - view.firstPage, 0, count - 1);
    // One extra step comes back to the starting page, for matches before
    // the previous one on it.
    for (int step = 0; step <= count; ++step) {
        const int pageIndex = view.firstPage + (startOffset + step) % count;
        const auto matches = PageTextSearch::find(source.page(pageIndex), text);
        int first = 0;
        if (step == 0 && previous)
            first = previous->matchIndex + 1;
        if (step == count && !previous)
            break;
        if (step == count)
            first = 0;
        if (first < int(matches.size()))
            return FoundText{pageIndex, first, matches[size_t(first)].rect};
    }
    return std::nullopt;
}

} // namespace velmora
