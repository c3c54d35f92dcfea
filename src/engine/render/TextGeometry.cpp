#include "engine/render/TextGeometry.h"

#include "engine/render/FontResolver.h"

#include <cmath>

namespace velmora {

QFont TextGeometry::twipsFont(const FontSpec &fontSpec)
{
    QFont font = toQFont(fontSpec);
    const double points = fontSpec.pointSize > 0 ? fontSpec.pointSize : 10.0;
    font.setPixelSize(std::max(1, int(std::lround(points * twipsPerPoint))));
    return font;
}

TextGeometry::TextGeometry(const TextItem &item)
    : m_item(item), m_font(twipsFont(item.font)), m_metrics(m_font)
{
    const QRect &box = item.box;
    const double slack = box.width() - m_metrics.horizontalAdvance(item.text);
    double x = box.x();
    switch (item.alignment) {
    case HorizontalAlignment::Center:
        x += slack / 2;
        break;
    case HorizontalAlignment::Right:
        x += slack;
        break;
    case HorizontalAlignment::Left:
    case HorizontalAlignment::Justify:
        break;
    }
    m_origin = QPointF(x, box.y() + item.baseline);
}

QRectF TextGeometry::spanRect(qsizetype from, qsizetype length) const
{
    const double left = m_origin.x() + advance(m_item.text.left(from));
    const double width = advance(m_item.text.mid(from, length));
    const double top = m_origin.y() - m_metrics.ascent();
    return QRectF(left, top, width, m_metrics.ascent() + m_metrics.descent());
}

} // namespace velmora
