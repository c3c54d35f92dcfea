#pragma once

#include <QRect>

namespace velmora {

/// Window designs are measured in twips; the screen has 15 of them to a
/// pixel at 96 dots per inch.
constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return twips / twipsPerPixel;
}

/// A control's rectangle from its design position and size in twips.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

} // namespace velmora
