#include "engine/render/PagePainter.h"

#include "engine/render/TextGeometry.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora {

namespace {

Qt::PenStyle penStyle(LineStyle style)
{
    switch (style) {
    case LineStyle::Dash:
        return Qt::DashLine;
    case LineStyle::Dot:
        return Qt::DotLine;
    case LineStyle::Solid:
        break;
    }
    return Qt::SolidLine;
}

// A width of 0 gives Qt's cosmetic pen: a hairline of one device pixel.
QPen itemPen(QRgb color, Twips width, LineStyle style)
{
    QPen pen(QColor::fromRgba(color), std::max(0, width), penStyle(style), Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

void paintText(QPainter &painter, const TextItem &item)
{
    if (item.text.isEmpty())
        return;
    const TextGeometry geometry(item);
    painter.save();
    painter.setClipRect(item.box, Qt::IntersectClip);
    painter.setFont(geometry.font());
    painter.setPen(QColor::fromRgba(item.color));
    painter.drawText(geometry.origin(), item.text);
    painter.restore();
}

void paintLine(QPainter &painter, const LineItem &item)
{
    painter.setPen(itemPen(item.color, item.width, item.style));
    painter.drawLine(item.from, item.to);
}

void paintBox(QPainter &painter, const BoxItem &item)
{
    if (item.filled)
        painter.fillRect(item.rect, QColor::fromRgba(item.fillColor));
    if (item.borderWidth <= 0)
        return;
    // The border is drawn inside the rectangle so that its ink never
    // reaches the neighbouring objects the layout placed against it.
    const double half = item.borderWidth / 2.0;
    const QRectF inner = QRectF(item.rect).adjusted(half, half, -half, -half);
    painter.setPen(itemPen(item.borderColor, item.borderWidth, item.style));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inner);
}

void paintPicture(QPainter &painter, const PictureItem &item)
{
    if (!item.image.isNull())
        painter.drawImage(QRectF(item.rect), item.image);
}

QPainterPath painterPath(const PathItem &item)
{
    QPainterPath path;
    size_t point = 0;
    for (PathItem::Step step : item.steps) {
        switch (step) {
        case PathItem::Step::Move: path.moveTo(item.points[point++]); break;
        case PathItem::Step::Line: path.lineTo(item.points[point++]); break;
        case PathItem::Step::Curve:
            path.cubicTo(item.points[point], item.points[point + 1], item.points[point + 2]);
            point += 3;
            break;
        case PathItem::Step::Close: path.closeSubpath(); break;
        }
    }
    return path;
}

void paintPath(QPainter &painter, const PathItem &item)
{
    const QPainterPath path = painterPath(item);
    if (item.filled)
        painter.fillPath(path, QColor::fromRgba(item.fillColor));
    if (item.stroked && item.strokeWidth > 0) {
        painter.setPen(QPen(QColor::fromRgba(item.strokeColor), item.strokeWidth, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
}

} // namespace

void PagePainter::paint(QPainter &painter, const Page &page, double deviceUnitsPerTwip)
{
    painter.save();
    painter.scale(deviceUnitsPerTwip, deviceUnitsPerTwip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setClipRect(QRect(QPoint(0, 0), page.size), Qt::IntersectClip);
    for (const PageItem &item : page.items) {
        std::visit(
            [&painter](const auto &concrete) {
                using T = std::decay_t<decltype(concrete)>;
                if constexpr (std::is_same_v<T, TextItem>)
                    paintText(painter, concrete);
                else if constexpr (std::is_same_v<T, LineItem>)
                    paintLine(painter, concrete);
                else if constexpr (std::is_same_v<T, BoxItem>)
                    paintBox(painter, concrete);
                else if constexpr (std::is_same_v<T, PictureItem>)
                    paintPicture(painter, concrete);
                else if constexpr (std::is_same_v<T, PathItem>)
                    paintPath(painter, concrete);
                // A chart's table of values is for outputs that cannot draw.
            },
            item);
    }
    painter.restore();
}

} // namespace velmora
