#pragma once

#include "engine/page/Page.h"

#include <QFontMetricsF>
#include <QStringList>

#include <memory>
#include <vector>

namespace velmora {

/// Measures and breaks text in twips with the faces every output uses, so
/// that lines break the same on screen, paper and in files. One measurer per
/// thread: it caches font metrics and is not shared.
class TextMeasurer {
public:
    struct LineMetrics {
        Twips height = 0; ///< distance from one line to the next
        Twips ascent = 0; ///< top of the line to its baseline
    };

    LineMetrics lineMetrics(const FontSpec &font);
    Twips width(const FontSpec &font, const QString &text);
    /// Breaks `text` into lines no wider than `width`: at line breaks in the
    /// text, between words where it can, inside a word only when the word
    /// alone is too wide. At most `maxLines` lines when it is above zero.
    QStringList wrap(const FontSpec &font, const QString &text, Twips width, int maxLines = 0);
    /// The longest start of `text`'s first line that fits in `width`.
    QString fitOneLine(const FontSpec &font, const QString &text, Twips width);

private:
    struct FontEntry {
        FontSpec font;
        std::unique_ptr<QFontMetricsF> metrics;
        std::vector<double> advances; ///< by character below U+0530; -1 until measured
    };
    FontEntry &entryFor(const FontSpec &font);
    const QFontMetricsF &metricsFor(const FontSpec &font);
    double advance(const FontSpec &font, QStringView text);
    int fittingLength(const FontSpec &font, QStringView text, Twips width);

    std::vector<FontEntry> m_cache;
    size_t m_last = 0; ///< the entry found last: texts come in runs of one font
};

} // namespace velmora
