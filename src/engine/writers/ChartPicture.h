#pragma once

#include "engine/page/Page.h"

#include <vector>

namespace velmora {

/// For outputs that take pictures but draw no figures of their own (Word):
/// each chart of the page drawn into a picture over its rectangle, at print
/// resolution, its words with it (a reader's own line breaking and spacing
/// would move them off the bars and wedges they name).
class ChartPictures {
public:
    explicit ChartPictures(const Page &page, double dotsPerInch = 300);

    bool any() const { return !m_charts.empty(); }

    /// The pictures, in the order of the charts on the page.
    const std::vector<PictureItem> &pictures() const { return m_pictures; }
    /// Whether `item` is drawn in one of the pictures (and so must not be
    /// written again).
    bool drawnInPicture(const PageItem &item) const;
    /// The page without what the pictures hold.
    Page withoutCharts(const Page &page) const;

private:
    std::vector<QRect> m_charts;
    std::vector<PictureItem> m_pictures;
};

} // namespace velmora
