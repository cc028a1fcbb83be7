#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPen>
#include <QString>

#include "view/canvas.h"

namespace orbline {

// The name the drawings ask for: the system's proportional Japanese Gothic face.
QString JapaneseGothicName();

// Makes JapaneseGothicName() stand for a Japanese proportional Gothic face that exists here:
// IPA P Gothic ("IPAPGothic") where installed, else any Japanese sans face. Returns the family
// used, or an empty string when there is none. Call once the application object exists.
QString RegisterJapaneseFont();

// Draws on a QPainter, with the 1000 × 750 page stretched over a device area of `width` × `height`
// pixels, each axis on its own. Text heights scale with the vertical factor, but glyphs keep their
// proportions; only positions follow both factors.
class QPainterCanvas : public Canvas {
 public:
  // The listing font's height in logical units.
  static constexpr int kDefaultFontHeight = 16;

  QPainterCanvas(QPainter& painter, int width, int height);

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
  QPointF ToDevice(double x, double y) const { return QPointF(x * sx_, y * sy_); }
  // The pen for a logical width (0: one device pixel).
  QPen MakePen(int width, Colour colour) const;
  QFont MakeFont(const FontSpec& font) const;

 private:
  QRectF DeviceRect(int left, int top, int right, int bottom) const;
  void DrawVerticalText(const QPointF& at, const QString& text);

  QPainter& painter_;
  double sx_, sy_;
  QPen pen_;
  QBrush brush_;
  FontSpec font_;
  QColor textColour_;
};

inline QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

}  // namespace orbline
