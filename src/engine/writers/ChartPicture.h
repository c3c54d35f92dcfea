#pragma once

#include "engine/page/Page.h"

#include <vector>

namespace velmora {

/// For outputs that take pictures but draw no figures of their own (Word):
/// each chart of the page drawn into a picture over its rectangle, at print
/// resolution, with a clear background so that the text the output writes
/// itself shows through. The chart's text is left out of the picture.
class ChartPictures {
public:
    explicit ChartPictures(const Page &page, double dotsPerInch = 300);

    /// The pictures, in the order of the charts on the page.
    const std::vector<PictureItem> &pictures() const { return m_pictures; }
    /// Whether `item` is drawn in one of the pictures (and so must not be
    /// written again).
    bool drawnInPicture(const PageItem &item) const;

private:
    std::vector<QRect> m_charts;
    std::vector<PictureItem> m_pictures;
};

} // namespace velmora
