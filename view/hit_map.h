#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <cstdint>
#include <vector>

#include "view/canvas.h"
#include "view/device_page.h"

namespace orbline {

// What a display puts where on a device, and from which source row: a canvas that draws nothing
// but keeps the area each operation marks, in drawing order, in the device pixels, pen widths and
// font metrics of QPainterCanvas on the same device. A map page of 2000 items is kept in well under
// a millisecond once its texts have been drawn (their layouts come from the FontCache) and is
// searched in microseconds (bench: orbline_drawing_bench, BM_HitTest).
class HitMap : public Canvas {
 public:
  // The areas on an image like `device` (whose fonts the texts take), drawn over `width` × `height`
  // pixels of it of which a screen shows `pixelRatio` to a point, as QPainterCanvas draws them there.
  HitMap(const QImage& device, int width, int height, double pixelRatio = 1);

  void FillSolidRect(int x, int y, int cx, int cy, Colour colour) override;
  void SelectPen(int width, Colour colour) override;
  void RestorePen() override { penWidth_ = 0; }
  void SelectBrush(Colour) override {}
  void RestoreBrush() override {}
  void SelectFont(const FontSpec& font) override;
  void RestoreFont() override { listingFont_ = true; }
  void SetTextColour(Colour) override {}
  void Line(int x1, int y1, int x2, int y2) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void EllipseOutline(int left, int top, int right, int bottom) override;
  void Text(int x, int y, std::string_view sjis) override;
  void SetRow(const SourceRow& row) override;

  // The row of the topmost mark within `reach` device pixels of `at`: a fill or a text by its box
  // (a text's glyph box), a line or an outline by its stroke, the pen's width included, an ellipse
  // by its inside and outline. None when no mark of a row is that near.
  SourceRow RowAt(const QPointF& at, double reach) const;
  // The row of the last drawn box of a row (below) that holds `at` within `reach` device pixels: a
  // line of a listing anywhere along it, between its texts too. None when there is none.
  SourceRow RowBoxAt(const QPointF& at, double reach) const;
  // The boxes of `row` in device pixels, each holding what was drawn from it between one SetRow and
  // the next, so that a row drawn twice (a train of two day types read from one file) has two.
  std::vector<QRectF> BoxesOf(const SourceRow& row) const;

 private:
  enum class Shape : uint8_t { kBox, kSegment, kDisc, kRing };
  // A box by its corners a and b, a segment from a to b, an ellipse by its centre a and radii b;
  // `halfPen` is how far the stroke reaches on either side of a segment or an outline.
  struct Mark {
    Shape shape;
    QPointF a, b;
    double halfPen;
    int row;  // into rows_
  };

  void Add(Shape shape, const QPointF& a, const QPointF& b, double halfPen);
  static bool Near(const Mark& mark, const QPointF& at, double reach);
  static QRectF Box(const Mark& mark);
  // The box of each entry of rows_.
  std::vector<QRectF> Boxes() const;
  // Half the current pen's width in device pixels: the thinnest pen is a pixel wide.
  double HalfPen() const { return penWidth_ > 0 ? penWidth_ / 2 : 0.5; }

  QImage device_;  // shares the caller's pixels
  DevicePage page_;
  double penWidth_ = 0;
  bool listingFont_ = true;
  FontSpec font_;
  std::vector<SourceRow> rows_;  // each row as it was set, a row again after another; rows_[0] is none
  int row_ = 0;
  std::vector<Mark> marks_;
};

}  // namespace orbline
