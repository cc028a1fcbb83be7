#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace orbline {

// The font of the program's dialogs: 9 point "ＭＳ Ｐゴシック".
QFont DialogFont();

// Dialog units of a font, and their conversion to pixels. One horizontal unit is a quarter of
// the font's average character width, one vertical unit an eighth of its character height.
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);

  // The width of the 52 Latin letters, upper and lower case, divided by 52 and rounded.
  int averageCharWidth() const { return baseX_; }
  // The height of a line of the font (ascent plus descent).
  int charHeight() const { return baseY_; }

  // Both round to the nearest pixel, halves away from zero.
  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  QSize ToPixels(int width, int height) const;
  // The pixel rectangle of x, y, width × height dialog units.
  QRect ToPixels(int x, int y, int width, int height) const;

  // Places `widget` at x, y with width × height, all in dialog units of its parent's font.
  void Place(QWidget* widget, int x, int y, int width, int height) const;

 private:
  int baseX_;
  int baseY_;
};

}  // namespace orbline
