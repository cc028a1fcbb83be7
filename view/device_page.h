#pragma once

#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRectF>

#include "view/canvas.h"
#include "view/font_cache.h"

namespace orbline {

// The 1000 × 750 page over a device area of `width` × `height` pixels, each axis stretched on its
// own: where a logical point falls, how wide a pen is and which font a text takes there. The
// QPainter canvas draws by it and the hit map finds by it, so that what is found under the pointer
// is where it was drawn.
class DevicePage {
 public:
  // `pixelRatio`: device pixels to a pixel of the screen; `dpi`: the device's logical resolution.
  DevicePage(int width, int height, double pixelRatio, int dpi);

  QPointF ToDevice(double x, double y) const { return QPointF(x * sx_, y * sy_); }
  QRectF DeviceRect(int left, int top, int right, int bottom) const {
    return QRectF(ToDevice(left, top), ToDevice(right, bottom)).normalized();
  }
  // A pen `width` logical units wide, in device pixels: a horizontal distance on the page, at
  // least a pixel; 0 for the thinnest pen, one pixel at any scale.
  double PenWidth(int width) const;
  // The font of a text: the listings' when `label` is null, else that of the label.
  FontKey FontKeyOf(const FontSpec* label) const;

 private:
  double sx_, sy_;  // device pixels to a logical unit across and down the page
  double pixelRatio_;
  int dpi_;
};

// The box of a text laid out in `runs` with its cell's top left at `at`: the runs' boxes, and at
// least the cell's height. Device pixels.
QRectF GlyphBox(const QPointF& at, const QList<QGlyphRun>& runs, double cellHeight);
// The box of a column written down from `at`, the baseline's top, `length` pixels long: it lies
// left of the baseline, as wide as the cell.
inline QRectF ColumnBox(const QPointF& at, double cellHeight, double length) {
  return QRectF(at.x() - cellHeight, at.y(), cellHeight, length);
}

}  // namespace orbline
