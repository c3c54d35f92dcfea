#include "engine/writers/Biff8Palette.h"

#include "engine/writers/Biff8Record.h"

#include <algorithm>
#include <array>
#include <limits>

namespace velmora {

namespace {

constexpr quint16 paletteType = 0x0092;
/// Places 8 to 15 hold black, white and the six pure colours: never replaced.
constexpr int firstReplaceable = 8;

// The palette a workbook has when it writes none, index 8 first.
constexpr std::array<QRgb, Biff8Palette::size> standardPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

QRgb rgbOnly(QRgb colour) { return colour & 0xFFFFFFu; }

int distance(QRgb a, QRgb b)
{
    const int red = qRed(a) - qRed(b), green = qGreen(a) - qGreen(b), blue = qBlue(a) - qBlue(b);
    return red * red + green * green + blue * blue;
}

int nearest(const std::array<QRgb, Biff8Palette::size> &palette, QRgb colour)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < Biff8Palette::size; ++i) {
        if (const int d = distance(palette[size_t(i)], colour); d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

void Biff8Palette::note(QRgb colour)
{
    const QRgb rgb = rgbOnly(colour);
    if (std::find(m_colours.begin(), m_colours.end(), rgb) == m_colours.end())
        m_colours.push_back(rgb);
}

quint8 Biff8Palette::Settled::indexOf(QRgb colour) const
{
    const auto found = indices.find(rgbOnly(colour));
    return found == indices.end() ? firstIndex : found->second;
}

Biff8Palette::Settled Biff8Palette::settle() const
{
    std::array<QRgb, size> palette = standardPalette;
    std::array<bool, size> taken{};
    Settled settled;
    std::vector<QRgb> strangers;
    for (const QRgb colour : m_colours) {
        const auto at = std::find(palette.begin(), palette.end(), colour);
        if (at == palette.end()) {
            strangers.push_back(colour);
            continue;
        }
        taken[size_t(at - palette.begin())] = true;
        settled.indices[colour] = quint8(firstIndex + (at - palette.begin()));
    }
    bool replaced = false;
    int free = size - 1;
    for (const QRgb colour : strangers) {
        while (free >= firstReplaceable && taken[size_t(free)])
            --free;
        if (free >= firstReplaceable) {
            palette[size_t(free)] = colour;
            taken[size_t(free)] = true;
            replaced = true;
            settled.indices[colour] = quint8(firstIndex + free);
        } else {
            settled.indices[colour] = quint8(firstIndex + nearest(palette, colour));
        }
    }
    if (replaced) {
        Biff8Record record(paletteType);
        record.u16(size);
        for (const QRgb colour : palette)
            record.u8(quint8(qRed(colour))).u8(quint8(qGreen(colour))).u8(quint8(qBlue(colour))).u8(0);
        settled.record = record.bytes();
    }
    return settled;
}

} // namespace velmora
