#include "app/dialog_units.h"

#include <QFontMetrics>
#include <QString>
#include <QWidget>

#include "view/qpainter_canvas.h"

namespace orbline {
namespace {

// units × base ÷ divisor, rounded to the nearest integer with halves away from zero.
int Scale(int units, int base, int divisor) {
  const long long product = static_cast<long long>(units) * base;
  const long long half = divisor / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divisor : -((-product + half) / divisor));
}

}  // namespace

QFont DialogFont() {
  QFont font(JapaneseGothicName());
  font.setPointSize(9);
  return font;
}

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(QLatin1String("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  baseX_ = (letters + 26) / 52;
  baseY_ = metrics.height();
}

int DialogUnits::ToPixelsX(int units) const { return Scale(units, baseX_, 4); }

int DialogUnits::ToPixelsY(int units) const { return Scale(units, baseY_, 8); }

QSize DialogUnits::ToPixels(int width, int height) const { return QSize(ToPixelsX(width), ToPixelsY(height)); }

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
  return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(width), ToPixelsY(height));
}

void DialogUnits::Place(QWidget* widget, int x, int y, int width, int height) const {
  widget->setGeometry(ToPixels(x, y, width, height));
}

}  // namespace orbline
