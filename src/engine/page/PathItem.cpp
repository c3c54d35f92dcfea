#include "engine/page/PathItem.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora {

namespace {

constexpr double radiansPerDegree = std::numbers::pi / 180.0;
/// Arcs are cut into pieces of at most this many degrees: a cubic segment
/// then strays from the circle by less than 0.03 % of the radius.
constexpr double largestArcPiece = 90.0;

} // namespace

QPointF pointOnCircle(QPointF centre, double radius, double degrees)
{
    const double a = degrees * radiansPerDegree;
    return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

void PathItem::moveTo(QPointF p)
{
    steps.push_back(Step::Move);
    points.push_back(p);
}

void PathItem::lineTo(QPointF p)
{
    steps.push_back(Step::Line);
    points.push_back(p);
}

void PathItem::curveTo(QPointF control1, QPointF control2, QPointF end)
{
    steps.push_back(Step::Curve);
    points.insert(points.end(), {control1, control2, end});
}

void PathItem::close()
{
    steps.push_back(Step::Close);
}

void PathItem::addArc(QPointF centre, double radius, double startDegrees, double spanDegrees, bool connect)
{
    const QPointF start = pointOnCircle(centre, radius, startDegrees);
    if (connect && !steps.empty())
        lineTo(start);
    else
        moveTo(start);
    const int pieces = std::max(1, int(std::ceil(std::abs(spanDegrees) / largestArcPiece - 1e-9)));
    const double piece = spanDegrees / pieces;
    // The classic control distance for a circular arc of angle θ: 4/3·tan(θ/4).
    const double handle = 4.0 / 3.0 * std::tan(piece * radiansPerDegree / 4.0) * radius;
    for (int i = 0; i < pieces; ++i) {
        const double from = (startDegrees + i * piece) * radiansPerDegree;
        const double to = (startDegrees + (i + 1) * piece) * radiansPerDegree;
        const QPointF p0 = pointOnCircle(centre, radius, from / radiansPerDegree);
        const QPointF p3 = pointOnCircle(centre, radius, to / radiansPerDegree);
        // Tangents of a counter-clockwise turn, in page coordinates (y down).
        const QPointF t0(-std::sin(from), -std::cos(from));
        const QPointF t3(-std::sin(to), -std::cos(to));
        curveTo(p0 + handle * t0, p3 - handle * t3, p3);
    }
}

QRectF PathItem::bounds() const
{
    if (points.empty())
        return {};
    double left = points.front().x(), right = left, top = points.front().y(), bottom = top;
    for (const QPointF &p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void PathItem::translate(QPointF offset)
{
    for (QPointF &p : points)
        p += offset;
}

} // namespace velmora
