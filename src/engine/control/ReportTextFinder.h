#pragma once

#include "engine/control/ViewRange.h"
#include "engine/page/PageSource.h"

#include <QRectF>

#include <optional>

namespace velmora {

/// Where the find command stopped: a page and the n-th match on it.
struct FoundText {
    int pageIndex = 0;
    int matchIndex = 0;
    QRectF rect; ///< twips on that page
};

/// Finds the next occurrence of a text in a view's pages laid out so far,
/// going forward from a position and wrapping round to the view's start.
class ReportTextFinder {
public:
    /// The first match after `previous` (or from the start of `fromPage`
    /// when there is no previous match), if any.
    static std::optional<FoundText> next(const PageSource &source, const ViewRange &view, const QString &text,
                                         int fromPage, const std::optional<FoundText> &previous);
};

} // namespace velmora
