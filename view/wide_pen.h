#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

namespace orbline {

// What a round pen covers when it is swept along a shape, for the pens that the stroker does not
// draw truly. Widths and coordinates are in device pixels.

// True when the stroker cannot draw a pen of `width` along the outline of the ellipse in `box`:
// when the pen is as wide as the ellipse is short, so that it covers the centre (the stroker leaves
// a hole there, or draws nothing), or when the pen is too wide for Qt.
bool StrokerMissesEllipseOutline(const QRectF& box, double width);
// True when a pen of `width` is too wide for the rasterizer to stroke.
bool StrokerMissesLine(double width);

// Every point within half of `width` of the ellipse's outline.
QPainterPath EllipseOutlineArea(const QRectF& box, double width);
// Every point within half of `width` of the segment from `a` to `b`: the pen's round ends included.
QPainterPath LineArea(const QPointF& a, const QPointF& b, double width);

}  // namespace orbline
