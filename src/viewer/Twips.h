#pragma once

#include <QRect>
#include <QtMath>

namespace velmora {

/// Window designs are measured in twips; the screen has 15 twips to a pixel.
constexpr int twipsPerPixel = 15;

constexpr int pixelsFromTwips(int twips) { return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15); }

inline QRect pixelRectFromTwips(int left, int top, int width, int height)
{
    return QRect(pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width), pixelsFromTwips(height));
}

} // namespace velmora
