#pragma once

#include "engine/page/Page.h"

#include <optional>
#include <vector>

namespace velmora {

/// The pages one view tab shows: the whole report, or a drill-down view
/// of one group's pages. Indexes are the report's 0-based page indexes.
struct ViewRange {
    QString caption;
    int firstPage = 0;
    std::optional<int> lastPage; ///< none: up to the report's end
    int currentPage = 0;

    /// Pages in the view, from what is laid out so far.
    int pageCount(int pagesLaidOut) const;
    /// True when pageCount() can no longer grow.
    bool countIsFinal(bool sourceComplete) const { return lastPage.has_value() || sourceComplete; }
    /// `pageIndex` moved into the view; past the end of a final count it is
    /// the view's last page.
    int clamped(int pageIndex, int pagesLaidOut, bool sourceComplete) const;

    /// The view of contents entry `index`: from its page to where the next
    /// group of the same or an outer level starts.
    static ViewRange forGroup(const std::vector<ContentsEntry> &contents, int index);
};

} // namespace velmora
