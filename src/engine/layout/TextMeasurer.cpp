#include "engine/layout/TextMeasurer.h"

#include "engine/render/FontResolver.h"

#include <QRegularExpression>

#include <cmath>

namespace velmora {

TextMeasurer::FontEntry &TextMeasurer::entryFor(const FontSpec &font)
{
    if (m_last < m_cache.size() && m_cache[m_last].font == font)
        return m_cache[m_last];
    for (size_t i = 0; i < m_cache.size(); ++i)
        if (m_cache[i].font == font) {
            m_last = i;
            return m_cache[i];
        }
    // Sized in pixels of one twip each, so that every measure comes out in
    // twips whatever the screen's resolution.
    QFont f = toQFont(font);
    f.setPixelSize(qMax(1, int(std::lround(font.pointSize * twipsPerPoint))));
    FontEntry entry;
    entry.font = font;
    entry.metrics = std::make_unique<QFontMetricsF>(f);
    entry.advances.assign(0x0530, -1.0);
    m_cache.push_back(std::move(entry));
    m_last = m_cache.size() - 1;
    return m_cache.back();
}

const QFontMetricsF &TextMeasurer::metricsFor(const FontSpec &font)
{
    return *entryFor(font).metrics;
}

TextMeasurer::LineMetrics TextMeasurer::lineMetrics(const FontSpec &font)
{
    const QFontMetricsF &fm = metricsFor(font);
    return {Twips(std::ceil(fm.lineSpacing())), Twips(std::round(fm.ascent()))};
}

Twips TextMeasurer::width(const FontSpec &font, const QString &text)
{
    return Twips(std::ceil(advance(font, text)));
}

double TextMeasurer::advance(const FontSpec &font, QStringView text)
{
    // Report text is mostly Latin letters and digits, where a line's width is
    // the sum of its characters' widths (kerning is off): add them up from a
    // table instead of shaping the text each time. Other scripts are shaped.
    FontEntry &entry = entryFor(font);
    double sum = 0;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u >= 0x0530)
            return entry.metrics->horizontalAdvance(text.toString());
        double &w = entry.advances[u];
        if (w < 0)
            w = entry.metrics->horizontalAdvance(c);
        sum += w;
    }
    return sum;
}

int TextMeasurer::fittingLength(const FontSpec &font, QStringView text, Twips width)
{
    // Binary search on the prefix length; never split a surrogate pair.
    int lo = 0, hi = int(text.size());
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (advance(font, text.left(mid)) <= width)
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
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    if (end == text.size() && advance(font, text) <= width)
        return text;
    const QStringView first = QStringView(text).left(end);
    if (advance(font, first) <= width)
        return first.toString();
    return first.left(fittingLength(font, first, width)).toString();
}

QStringList TextMeasurer::wrap(const FontSpec &font, const QString &text, Twips width, int maxLines)
{
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
            if (advance(font, rest) <= width) {
                lines.append(rest);
                break;
            }
            int fit = fittingLength(font, rest, width);
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
