#include "engine/layout/TextMeasurer.h"

#include "engine/render/FontResolver.h"

#include <QRegularExpression>

#include <cmath>

namespace velmora {

const QFontMetricsF &TextMeasurer::metricsFor(const FontSpec &font)
{
    for (const auto &[spec, metrics] : m_cache)
        if (spec == font)
            return *metrics;
    // Sized in pixels of one twip each, so that every measure comes out in
    // twips whatever the screen's resolution.
    QFont f = toQFont(font);
    f.setPixelSize(qMax(1, int(std::lround(font.pointSize * twipsPerPoint))));
    m_cache.emplace_back(font, std::make_unique<QFontMetricsF>(f));
    return *m_cache.back().second;
}

TextMeasurer::LineMetrics TextMeasurer::lineMetrics(const FontSpec &font)
{
    const QFontMetricsF &fm = metricsFor(font);
    return {Twips(std::ceil(fm.lineSpacing())), Twips(std::round(fm.ascent()))};
}

Twips TextMeasurer::width(const FontSpec &font, const QString &text)
{
    return Twips(std::ceil(metricsFor(font).horizontalAdvance(text)));
}

int TextMeasurer::fittingLength(const QFontMetricsF &fm, QStringView text, Twips width) const
{
    // Binary search on the prefix length; never split a surrogate pair.
    int lo = 0, hi = int(text.size());
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (fm.horizontalAdvance(text.left(mid).toString()) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo > 0 && lo < text.size() && text[lo - 1].isHighSurrogate())
        --lo;
    return lo;
}

QString TextMeasurer::fitOneLine(const FontSpec &font, const QString &text, Twips width)
{
    qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
    const QStringView first = QStringView(text).left(end < 0 ? text.size() : end);
    const QFontMetricsF &fm = metricsFor(font);
    if (fm.horizontalAdvance(first.toString()) <= width)
        return first.toString();
    return first.left(fittingLength(fm, first, width)).toString();
}

QStringList TextMeasurer::wrap(const FontSpec &font, const QString &text, Twips width, int maxLines)
{
    const QFontMetricsF &fm = metricsFor(font);
    QStringList lines;
    const auto full = [&] { return maxLines > 0 && lines.size() >= maxLines; };
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    for (const QString &paragraph : text.split(lineBreak)) {
        if (full())
            break;
        QString rest = paragraph;
        if (rest.isEmpty()) {
            lines.append(QString());
            continue;
        }
        while (!rest.isEmpty() && !full()) {
            if (fm.horizontalAdvance(rest) <= width) {
                lines.append(rest);
                break;
            }
            int fit = fittingLength(fm, rest, width);
            int cut = int(rest.lastIndexOf(u' ', fit));
            if (cut <= 0)
                cut = qMax(1, fit); // one word wider than the line: break inside it
            lines.append(rest.left(cut).trimmed());
            rest = rest.mid(cut);
            while (rest.startsWith(u' '))
                rest.remove(0, 1);
        }
    }
    return lines;
}

} // namespace velmora
