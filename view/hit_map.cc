#include "view/hit_map.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/sjis.h"
#include "view/lettering.h"

namespace orbline {
namespace {

// The distance from `p` to the segment from `a` to `b`.
double SegmentDistance(const QPointF& p, const QPointF& a, const QPointF& b) {
  const QPointF ab = b - a;
  const double length2 = QPointF::dotProduct(ab, ab);
  const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
  return QLineF(p, a + t * ab).length();
}

// Whether `p` lies inside the ellipse about `centre` with radii `r`.
bool InEllipse(const QPointF& p, const QPointF& centre, const QPointF& r) {
  if (r.x() <= 0 || r.y() <= 0) return false;
  const double dx = (p.x() - centre.x()) / r.x(), dy = (p.y() - centre.y()) / r.y();
  return dx * dx + dy * dy <= 1;
}

// Whether `p` lies within `reach` of the outline of the ellipse about `centre` with radii `r`: the
// outline followed as a polygon whose sides stray from it by at most a quarter of a pixel. (A pen
// wide beside a narrow ellipse covers more than an ellipse of the radii grown by half its width.)
bool NearEllipse(const QPointF& p, const QPointF& centre, const QPointF& r, double reach) {
  if (!QRectF(centre - r, centre + r).adjusted(-reach, -reach, reach, reach).contains(p)) return false;
  const double largest = std::max(r.x(), r.y());
  const int sides =
      largest <= 0.25 ? 4 : std::clamp(int(std::ceil(std::numbers::pi / std::acos(1 - 0.25 / largest))), 4, 1024);
  QPointF from = centre + QPointF(r.x(), 0);
  for (int i = 1; i <= sides; ++i) {
    const double angle = 2 * std::numbers::pi * i / sides;
    const QPointF to = centre + QPointF(r.x() * std::cos(angle), r.y() * std::sin(angle));
    if (SegmentDistance(p, from, to) <= reach) return true;
    from = to;
  }
  return false;
}

}  // namespace

HitMap::HitMap(const QImage& device, int width, int height, double pixelRatio)
    : device_(device), page_(width, height, pixelRatio, device.logicalDpiY()), rows_(1) {}

void HitMap::SetRow(const SourceRow& row) {
  if (row == rows_[row_]) return;
  row_ = static_cast<int>(rows_.size());
  rows_.push_back(row);
}

void HitMap::Add(Shape shape, const QPointF& a, const QPointF& b, double halfPen) {
  marks_.push_back({shape, a, b, halfPen, row_});
}

void HitMap::FillSolidRect(int x, int y, int cx, int cy, Colour) {
  const QRectF box = page_.DeviceRect(x, y, x + cx, y + cy);
  if (!box.isEmpty()) Add(Shape::kBox, box.topLeft(), box.bottomRight(), 0);  // an empty fill marks nothing
}

void HitMap::SelectPen(int width, Colour) { penWidth_ = page_.PenWidth(width); }

void HitMap::SelectFont(const FontSpec& font) {
  font_ = font;
  listingFont_ = false;
}

void HitMap::Line(int x1, int y1, int x2, int y2) {
  Add(Shape::kSegment, page_.ToDevice(x1, y1), page_.ToDevice(x2, y2), HalfPen());
}

void HitMap::Ellipse(int left, int top, int right, int bottom) {
  const QRectF box = page_.DeviceRect(left, top, right, bottom);
  Add(Shape::kDisc, box.center(), QPointF(box.width() / 2, box.height() / 2), HalfPen());
}

void HitMap::EllipseOutline(int left, int top, int right, int bottom) {
  const QRectF box = page_.DeviceRect(left, top, right, bottom);
  Add(Shape::kRing, box.center(), QPointF(box.width() / 2, box.height() / 2), HalfPen());
}

// The glyphs' box as QPainterCanvas lays the text out on the same device.
void HitMap::Text(int x, int y, std::string_view sjis) {
  const QPointF at = page_.ToDevice(x, y);
  const FontKey key = page_.FontKeyOf(listingFont_ ? nullptr : &font_);
  FontCache& cache = FontCache::Get();
  const FontCache::Font& font = cache.Find(key, &device_);
  const bool vertical = key.face == FontKey::kVerticalLabel;
  QRectF box = vertical ? ColumnBox(at, font.height, cache.SetVertically(font, sjis).length)
                        : GlyphBox(at, cache.LayOut(font, QString::fromUtf8(SjisToUtf8(sjis))), font.height);
  // Italic leans out of the cell: a line's top to the right and its foot to the left, a column's
  // left side down.
  if (!listingFont_ && font_.italic) {
    const double descent = font.height - font.ascent;
    box = vertical ? box.adjusted(0, 0, 0, kItalicSlant * font.height)
                   : box.adjusted(-kItalicSlant * descent, 0, kItalicSlant * font.ascent, 0);
  }
  Add(Shape::kBox, box.topLeft(), box.bottomRight(), 0);
}

bool HitMap::Near(const Mark& mark, const QPointF& at, double reach) {
  const double r = mark.halfPen + reach;
  switch (mark.shape) {
    case Shape::kBox: return QRectF(mark.a, mark.b).adjusted(-r, -r, r, r).contains(at);
    case Shape::kSegment: return SegmentDistance(at, mark.a, mark.b) <= r;
    case Shape::kDisc: return InEllipse(at, mark.a, mark.b) || NearEllipse(at, mark.a, mark.b, r);
    case Shape::kRing: return NearEllipse(at, mark.a, mark.b, r);
  }
  return false;
}

QRectF HitMap::Box(const Mark& mark) {
  const double r = mark.halfPen;
  switch (mark.shape) {
    case Shape::kBox: return QRectF(mark.a, mark.b);
    case Shape::kSegment: return QRectF(mark.a, mark.b).normalized().adjusted(-r, -r, r, r);
    case Shape::kDisc:
    case Shape::kRing: return QRectF(mark.a - mark.b, mark.a + mark.b).adjusted(-r, -r, r, r);
  }
  return {};
}

SourceRow HitMap::RowAt(const QPointF& at, double reach) const {
  for (auto it = marks_.rbegin(); it != marks_.rend(); ++it)
    if (!rows_[it->row].empty() && Near(*it, at, reach)) return rows_[it->row];
  return {};
}

std::vector<QRectF> HitMap::Boxes() const {
  std::vector<QRectF> boxes(rows_.size());
  for (const Mark& mark : marks_) boxes[mark.row] |= Box(mark);
  return boxes;
}

SourceRow HitMap::RowBoxAt(const QPointF& at, double reach) const {
  const std::vector<QRectF> boxes = Boxes();
  for (size_t i = rows_.size(); i-- > 1;)
    if (!rows_[i].empty() && boxes[i].adjusted(-reach, -reach, reach, reach).contains(at)) return rows_[i];
  return {};
}

std::vector<QRectF> HitMap::BoxesOf(const SourceRow& row) const {
  std::vector<QRectF> found;
  if (row.empty()) return found;
  const std::vector<QRectF> boxes = Boxes();
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i] == row && !boxes[i].isEmpty()) found.push_back(boxes[i]);
  return found;
}

}  // namespace orbline
