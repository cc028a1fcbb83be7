#include "app/view_scroller.h"

#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "app/orbline_view.h"
#include "platform/sjis.h"
#include "view/canvas.h"
#include "view/display.h"
#include "view/font_cache.h"
#include "view/lettering.h"
#include "view/qpainter_canvas.h"

namespace orbline {
namespace {

// Notes where a display puts its texts in the listing font, and draws nothing.
class TextPlaces : public Canvas {
 public:
  struct Place {
    int y, x;
    QString text;
    bool operator<(const Place& other) const { return std::tie(y, x) < std::tie(other.y, other.x); }
  };

  void FillSolidRect(int, int, int, int, Colour) override {}
  void SelectPen(int, Colour) override {}
  void RestorePen() override {}
  void SelectBrush(Colour) override {}
  void RestoreBrush() override {}
  void SelectFont(const FontSpec&) override { listingFont_ = false; }
  void RestoreFont() override { listingFont_ = true; }
  void SetTextColour(Colour) override {}
  void Line(int, int, int, int) override {}
  void Ellipse(int, int, int, int) override {}
  void EllipseOutline(int, int, int, int) override {}
  void Text(int x, int y, std::string_view sjis) override {
    if (listingFont_) places.push_back({y, x, QString::fromUtf8(SjisToUtf8(sjis))});
  }

  std::vector<Place> places;

 private:
  bool listingFont_ = true;
};

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QChar(0x3000); }

QString LeadingBlanks(const QString& text) {
  qsizetype n = 0;
  while (n < text.size() && IsBlank(text[n])) ++n;
  return text.left(n);
}

QString WithoutTrailingBlanks(const QString& text) {
  qsizetype n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return text.left(n);
}

}  // namespace

ViewScroller::ViewScroller(OrblineView* view, QWidget* parent) : QScrollArea(parent), view_(view) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the page always fits the height
  setWidget(view);
  connect(view, &OrblineView::stateChanged, this, &ViewScroller::Fit);
}

void ViewScroller::resizeEvent(QResizeEvent* event) {
  Fit();
  QScrollArea::resizeEvent(event);
}

// The font follows the whole height, the scroll bar's included, so that the scroll bar coming and
// going cannot change the width it comes for; the view is then a little lower and its font no
// larger.
void ViewScroller::Fit() { view_->setMinimumWidth(NarrowestWidth(contentsRect().height())); }

int ViewScroller::NarrowestWidth(int height) const {
  const ViewState& state = view_->state();
  if (state.IsMapMode()) return 0;
  TextPlaces canvas;
  DrawDisplay(canvas, view_->document(), state);
  std::sort(canvas.places.begin(), canvas.places.end());

  // The listing font as the view draws it: its pixels grow with the height and never go below the
  // least size on the screen.
  const double ratio = view_->devicePixelRatioF();
  const QImage device(1, 1, QImage::Format_RGB32);  // as the view's own image
  FontKey key;
  key.face = FontKey::kListing;
  key.dpi = device.logicalDpiY();
  key.pixelSize = ListingFontPixels(height * ratio / Canvas::kPageHeight, ratio);
  const QFontMetricsF metrics(FontCache::Get().Find(key, &device).font);
  const double gap = metrics.horizontalAdvance(QLatin1Char(' ')) / 2;

  // Each text's last mark must end half a character before the next text's first mark on the row.
  double pixels = 0;
  for (size_t i = 1; i < canvas.places.size(); ++i) {
    const TextPlaces::Place& left = canvas.places[i - 1];
    const TextPlaces::Place& right = canvas.places[i];
    if (left.y != right.y || left.x == right.x) continue;
    const double overlap = metrics.horizontalAdvance(WithoutTrailingBlanks(left.text)) + gap -
                           metrics.horizontalAdvance(LeadingBlanks(right.text));
    pixels = std::max(pixels, overlap * Canvas::kPageWidth / (right.x - left.x));
  }
  return static_cast<int>(std::ceil(pixels / ratio));
}

}  // namespace orbline
