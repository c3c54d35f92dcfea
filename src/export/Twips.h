#pragma once

#include <QRect>

namespace velmora {

/// Window designs are measured in twips; the screen has 15 twips to a pixel.
/// Rounding to the nearest pixel keeps neighbouring controls aligned as
/// designed (507 and 525 twips both land on the same row of pixels).
class Twips {
public:
    static constexpr int perPixel = 15;

    static constexpr int toPixels(int twips) { return (twips + perPixel / 2) / perPixel; }

    static constexpr QRect rect(int left, int top, int width, int height)
    {
        return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    }
};

} // namespace velmora
