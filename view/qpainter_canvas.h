#pragma once

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QString>

#include <functional>

#include "view/canvas.h"
#include "view/device_page.h"
#include "view/faces.h"
#include "view/font_cache.h"

namespace orbline {

// Draws on a QPainter, with the 1000 × 750 page stretched over a device area of `width` × `height`
// pixels, each axis on its own. Text heights scale with the vertical factor, but glyphs keep their
// proportions; only positions follow both factors. Fonts and vertically set texts come from the
// program's FontCache, so a repaint makes none.
class QPainterCanvas : public Canvas {
 public:
  // `pixelRatio`: device pixels to a pixel of the screen, where a high-resolution screen is drawn
  // on in its own pixels.
  QPainterCanvas(QPainter& painter, int width, int height, double pixelRatio = 1);

  void FillSolidRect(int x, int y, int cx, int cy, Colour colour) override;
  void SelectPen(int width, Colour colour) override;
  void RestorePen() override;
  void SelectBrush(Colour colour) override;
  void RestoreBrush() override;
  void SelectFont(const FontSpec& font) override;
  void RestoreFont() override;
  void SetTextColour(Colour colour) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void EllipseOutline(int left, int top, int right, int bottom) override;
  void Text(int x, int y, std::string_view sjis) override;

  // Logical to device coordinates.
  QPointF ToDevice(double x, double y) const { return page_.ToDevice(x, y); }

 private:
  QRectF DeviceRect(int left, int top, int right, int bottom) const {
    return page_.DeviceRect(left, top, right, bottom);
  }
  FontKey CurrentFontKey() const { return page_.FontKeyOf(listingFont_ ? nullptr : &font_); }
  void DrawLabel(const FontKey& key, const QPointF& at, const QString& text, const std::function<QRectF()>& bound,
                 const std::function<void(QPainter&)>& draw);
  void DrawVerticalText(QPainter& painter, const QPointF& at, const VerticalText& set,
                        const FontCache::Font& font) const;
  void DrawEllipse(const QRectF& box, const QBrush& brush);

  QPainter& painter_;
  DevicePage page_;
  QPen pen_;
  double penWidth_ = 0;  // device pixels; 0: one pixel at any scale
  QBrush brush_;
  bool listingFont_ = true;  // no font selected: the listings' default
  FontSpec font_;
  QColor textColour_;
};

inline QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace orbline
