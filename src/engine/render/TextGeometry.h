#pragma once

#include "engine/page/Page.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>

namespace velmora {

/// Where a TextItem's characters stand, in twips. The painter and the text
/// search both measure here, so a highlighted match covers exactly the ink.
/// Fonts are sized in twips (pixel size = points x 20) and drawn under a
/// twips-to-device scale: the advances, and so the line, are the same at
/// every zoom and on every device.
class TextGeometry {
public:
    explicit TextGeometry(const TextItem &item);

    const QFont &font() const { return m_font; }
    /// The start of the baseline, after horizontal alignment in the box.
    QPointF origin() const { return m_origin; }
    double advance(const QString &text) const { return m_metrics.horizontalAdvance(text); }
    /// The rectangle of characters [from, from + length) of the item's text.
    QRectF spanRect(qsizetype from, qsizetype length) const;

    /// The QFont for `fontSpec` with its size in twips.
    static QFont twipsFont(const FontSpec &fontSpec);

private:
    const TextItem &m_item;
    QFont m_font;
    QFontMetricsF m_metrics;
    QPointF m_origin;
};

} // namespace velmora
