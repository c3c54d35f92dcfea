#include "engine/chart/ChartPalette.h"

#include <cmath>

namespace velmora {

const std::vector<QRgb> &defaultChartPalette()
{
    static const std::vector<QRgb> palette{
        qRgb(0x1F, 0x3B, 0x5C), // navy
        qRgb(0xE8, 0xA3, 0x3D), // amber
        qRgb(0x4F, 0x7F, 0xA8), // steel blue
        qRgb(0xC9, 0xDB, 0xA6), // pale green
        qRgb(0xA8, 0x45, 0x2F), // brick
        qRgb(0x91, 0x91, 0x91), // grey
        qRgb(0x2E, 0x6B, 0x3A), // green
        qRgb(0xF3, 0xD3, 0xC2), // peach
    };
    return palette;
}

QRgb chartColour(const ChartDefinition &chart, int index)
{
    if (index < 0)
        index = 0;
    if (size_t(index) < chart.series.size() && chart.series[size_t(index)].color && !chart.isRound())
        return *chart.series[size_t(index)].color;
    const std::vector<QRgb> &palette = chart.palette.empty() ? defaultChartPalette() : chart.palette;
    return palette[size_t(index) % palette.size()];
}

int greyLevel(QRgb colour)
{
    return int(std::lround(0.2126 * qRed(colour) + 0.7152 * qGreen(colour) + 0.0722 * qBlue(colour)));
}

} // namespace velmora
