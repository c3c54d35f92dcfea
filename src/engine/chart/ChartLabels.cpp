#include "engine/chart/ChartLabels.h"

#include <algorithm>
#include <cmath>

namespace velmora {

QString elidedLabel(ChartTextMetrics &metrics, const FontSpec &font, const QString &text, Twips width)
{
    if (metrics.width(font, text) <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    // The longest start that fits with the ellipsis: widths grow with length.
    qsizetype low = 0, high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.width(font, text.left(middle).trimmed() + ellipsis) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return text.left(low).trimmed() + ellipsis;
}

int labelStride(const std::vector<Twips> &widths, double spacing)
{
    const int count = int(widths.size());
    if (count < 2 || spacing <= 0)
        return 1;
    for (int stride = 1; stride < count; ++stride) {
        bool fits = true;
        for (int i = 0; i + stride < count && fits; i += stride)
            fits = stride * spacing >= (widths[size_t(i)] + widths[size_t(i + stride)]) / 2.0 + labelGap;
        if (fits)
            return stride;
    }
    return count;
}

TextItem chartText(ChartTextMetrics &metrics, const QRect &box, const QString &text, const FontSpec &font,
                   QRgb colour, HorizontalAlignment alignment)
{
    TextItem item;
    item.box = box;
    item.baseline = metrics.ascent(font);
    item.text = text;
    item.font = font;
    item.color = colour;
    item.alignment = alignment;
    return item;
}

TextItem centredText(ChartTextMetrics &metrics, double centreX, Twips top, const QString &text,
                     const FontSpec &font, QRgb colour, Twips left, Twips right)
{
    // A hair of room so that a reader measuring a little wider keeps the line whole.
    const Twips width = metrics.width(font, text) + 20;
    Twips x = Twips(std::lround(centreX - width / 2.0));
    x = std::max(left, std::min(x, right - width));
    return chartText(metrics, QRect(x, top, width, metrics.lineHeight(font)), text, font, colour,
                     HorizontalAlignment::Center);
}

} // namespace velmora
