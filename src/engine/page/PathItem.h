#pragma once

#include <QPointF>
#include <QRectF>
#include <QRgb>

#include <vector>

namespace velmora {

enum class LineStyle : quint8;

/// A figure of straight and curved segments, filled, outlined or both:
/// chart lines, areas, markers and pie wedges. Coordinates are twips with
/// fractions, so that wedge edges and line points fall where they were
/// worked out. Curves are cubic Bézier segments; `addArc` draws circle arcs
/// with them.
struct PathItem {
    enum class Step : quint8 {
        Move,  ///< one point: starts a new figure
        Line,  ///< one point
        Curve, ///< three points: two controls and the end
        Close, ///< no point: back to the figure's start
    };
    std::vector<Step> steps;
    std::vector<QPointF> points;

    bool filled = false;
    QRgb fillColor = 0xff808080;
    bool stroked = true;
    double strokeWidth = 20; ///< twips
    QRgb strokeColor = 0xff000000;

    void moveTo(QPointF p);
    void lineTo(QPointF p);
    void curveTo(QPointF control1, QPointF control2, QPointF end);
    void close();
    /// From the current point (or by moving there first when `connect` is
    /// false) along a circle around `centre`, starting at `startDegrees`
    /// (0 to the right, counter-clockwise as on paper) for `spanDegrees`.
    void addArc(QPointF centre, double radius, double startDegrees, double spanDegrees, bool connect);
    /// The smallest rectangle holding every point, controls included.
    QRectF bounds() const;
    void translate(QPointF offset);
    bool isEmpty() const { return steps.empty(); }
};

/// The point of a circle at `degrees`, counter-clockwise from the right, in
/// page coordinates (y down).
QPointF pointOnCircle(QPointF centre, double radius, double degrees);

} // namespace velmora
