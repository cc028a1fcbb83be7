#include "view/wide_pen.h"

#include <QLineF>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace orbline {
namespace {

// The widest pen Qt takes: it refuses a width of 2^15 pixels or more and keeps its pen one pixel
// wide.
constexpr double kMaxStrokeWidth = 32767;

// Keeps the part of the convex polygon where n · p ≤ limit.
QPolygonF ClipToHalfPlane(const QPolygonF& polygon, const QPointF& n, double limit) {
  QPolygonF out;
  const qsizetype count = polygon.size();
  for (qsizetype i = 0; i < count; ++i) {
    const QPointF& p = polygon[i];
    const QPointF& q = polygon[(i + 1) % count];
    const double dp = QPointF::dotProduct(n, p) - limit;
    const double dq = QPointF::dotProduct(n, q) - limit;
    if (dp <= 0) out << p;
    if ((dp < 0 && dq > 0) || (dp > 0 && dq < 0)) out << p + (q - p) * (dp / (dp - dq));
  }
  return out;
}

}  // namespace

bool StrokerMissesLine(double width) { return width > kMaxStrokeWidth; }

bool StrokerMissesEllipseOutline(const QRectF& box, double width) {
  return StrokerMissesLine(width) || width >= std::min(std::abs(box.width()), std::abs(box.height()));
}

QPainterPath LineArea(const QPointF& a, const QPointF& b, double width) {
  const double r = width / 2;
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  const QLineF line(a, b);
  if (line.length() > 0) {
    const QPointF n = QPointF(-line.dy(), line.dx()) * (r / line.length());
    path.addPolygon(QPolygonF({a + n, b + n, b - n, a - n}));
    path.closeSubpath();
  }
  path.addEllipse(a, r, r);
  path.addEllipse(b, r, r);
  return path;
}

QPainterPath EllipseOutlineArea(const QRectF& box, double width) {
  const QRectF r = box.normalized();
  const QPointF c = r.center();
  const double a = r.width() / 2, b = r.height() / 2, d = width / 2;
  // A flat ellipse is a segment, its outline traced there and back.
  if (a <= 0 || b <= 0)
    return a >= b ? LineArea(QPointF(r.left(), c.y()), QPointF(r.right(), c.y()), width)
                  : LineArea(QPointF(c.x(), r.top()), QPointF(c.x(), r.bottom()), width);
  // Enough corners that no chord of the outer edge strays a quarter of a pixel from the curve.
  const double reach = std::max(a, b) + d;
  const int n = std::clamp(int(std::ceil(std::numbers::pi * std::sqrt(2 * reach) / 4)) * 4, 64, 4096);
  QPolygonF outer, curve, inner;
  std::vector<QPointF> normals(n);
  std::vector<double> support(n);
  for (int i = 0; i < n; ++i) {
    const double t = 2 * std::numbers::pi * i / n;
    const QPointF p(a * std::cos(t), b * std::sin(t));
    QPointF normal(b * std::cos(t), a * std::sin(t));
    normal /= std::hypot(normal.x(), normal.y());
    normals[i] = normal;
    support[i] = QPointF::dotProduct(p, normal);
    outer << c + p + normal * d;
    curve << c + p;
    inner << c + p - normal * d;
  }
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  path.addPolygon(outer);
  path.closeSubpath();
  const double shortHalf = std::min(a, b), longHalf = std::max(a, b);
  if (d >= shortHalf) return path;  // the pen covers the centre: no hole
  if (d >= shortHalf * shortHalf / longHalf) {
    // The inside edge folds over itself; the hole is what lies farther than d from every tangent.
    inner = curve;
    for (int i = 0; i < n && !inner.isEmpty(); ++i)
      inner = ClipToHalfPlane(inner, normals[i], QPointF::dotProduct(c, normals[i]) + support[i] - d);
  }
  if (!inner.isEmpty()) {
    path.addPolygon(inner);
    path.closeSubpath();
  }
  return path;
}

}  // namespace orbline
