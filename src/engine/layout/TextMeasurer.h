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
    const QFontMetricsF &metricsFor(const FontSpec &font);
    int fittingLength(const QFontMetricsF &fm, QStringView text, Twips width) const;

    std::vector<std::pair<FontSpec, std::unique_ptr<QFontMetricsF>>> m_cache;
};

} // namespace velmora
