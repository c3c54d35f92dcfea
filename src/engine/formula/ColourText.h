#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace velmora {

/// A colour as formulas write it: "#RRGGBB" or one of a few Catalan or
/// English names ("vermell", "red"), in any case. The value is 0xFFRRGGBB,
/// the layout Qt's QRgb has.
std::optional<unsigned int> colourFromText(QStringView text);
/// "#RRGGBB", upper-case hex digits.
QString colourToText(unsigned int rgb);

struct NamedColour {
    QStringView catalan;
    QStringView english;
    unsigned int rgb;
};
/// Every name colourFromText knows, for the documentation and its tests.
std::span<const NamedColour> namedColours();

} // namespace velmora
