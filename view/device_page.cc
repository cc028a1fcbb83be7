#include "view/device_page.h"

#include <algorithm>

#include "view/lettering.h"

namespace orbline {

DevicePage::DevicePage(int width, int height, double pixelRatio, int dpi)
    : sx_(width / double(Canvas::kPageWidth)),
      sy_(height / double(Canvas::kPageHeight)),
      pixelRatio_(pixelRatio),
      dpi_(dpi) {}

double DevicePage::PenWidth(int width) const { return width <= 0 ? 0 : std::max(1.0, width * sx_); }

FontKey DevicePage::FontKeyOf(const FontSpec* label) const {
  FontKey key;
  key.dpi = dpi_;
  if (label == nullptr) {
    key.face = FontKey::kListing;
    key.pixelSize = ListingFontPixels(sy_, pixelRatio_);
    return key;
  }
  key.pixelSize = LabelFontPixels(label->height, sy_);
  if (label->vertical) {
    key.face = FontKey::kVerticalLabel;
  } else {
    key.face = FontKey::kLabel;
    key.italic = label->italic;
    key.underline = label->underline;
  }
  return key;
}

QRectF GlyphBox(const QPointF& at, const QList<QGlyphRun>& runs, double cellHeight) {
  QRectF box(at, QSizeF(0, cellHeight));
  for (const QGlyphRun& run : runs) box |= run.boundingRect().translated(at);
  return box;
}

}  // namespace orbline
