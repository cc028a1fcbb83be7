#include "view/label_pictures.h"

#include <QCoreApplication>
#include <QHashFunctions>
#include <QPaintEngine>
#include <QPainter>

#include <cstring>

namespace orbline {
namespace {

// Bounds past which pictures not used in the current repaint are let go: several full pages of
// large labels.
constexpr size_t kMaxBytes = size_t{96} << 20;
constexpr size_t kMaxLabels = 32768;

// The image under the painter, when its coordinates are the image's pixels and the image is one
// that a premultiplied picture blends onto as glyphs do.
const QImage* PlainImage(const QPainter& painter) {
  if (painter.paintEngine() == nullptr || painter.paintEngine()->type() != QPaintEngine::Raster) return nullptr;
  if (painter.device()->devType() != QInternal::Image || !painter.deviceTransform().isIdentity()) return nullptr;
  const auto* image = static_cast<const QImage*>(painter.device());
  switch (image->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied: return image->devicePixelRatio() == 1 ? image : nullptr;
    default: return nullptr;
  }
}

// Whether the pixels from `first` up to `end` are all fully transparent.
bool Transparent(const QRgb* first, const QRgb* end) {
  QRgb any = 0;
  for (const QRgb* p = first; p != end; ++p) any |= *p;
  return any == 0;
}

// The smallest rectangle of `area` holding pixels that are not fully transparent.
QRect InkBox(const QImage& image, const QRect& area) {
  int left = area.right() + 1, right = area.left() - 1, top = area.bottom() + 1, bottom = area.top() - 1;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    if (Transparent(row + area.left(), row + area.right() + 1)) continue;
    int first = area.left();
    while (row[first] == 0) ++first;
    int last = area.right();
    while (row[last] == 0) --last;
    left = std::min(left, first);
    right = std::max(right, last);
    top = std::min(top, y);
    bottom = y;
  }
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

size_t LabelPictures::KeyHash::operator()(const Key& key) const {
  return qHashMulti(0, int(key.font.face), key.font.pixelSize, key.font.italic, key.font.underline, key.font.dpi,
                    key.italic, key.underline, key.text, key.colour, key.x, key.y, key.device.width(),
                    key.device.height(), key.hints);
}

LabelPictures& LabelPictures::Get() {
  static LabelPictures* pictures = [] {
    // The fonts the pictures were drawn with go when the application does.
    qAddPostRoutine([] { Get().Clear(); });
    return new LabelPictures;
  }();
  return *pictures;
}

void LabelPictures::Draw(QPainter& painter, const Key& key, const std::function<QRectF()>& bound,
                         const std::function<void(QPainter&)>& draw) {
  const QImage* target = PlainImage(painter);
  if (target == nullptr) {
    draw(painter);
    return;
  }
  if (pictures_.size() >= kMaxLabels) MakeRoom(0);
  auto [it, seenFirst] = pictures_.try_emplace(key);
  Picture& picture = it->second;
  picture.lastPaint = paint_;
  if (seenFirst || (!picture.made && !Make(*target, painter, bound(), draw, picture))) {
    draw(painter);
    return;
  }
  if (!picture.image.isNull()) painter.drawImage(picture.at, picture.image);
}

// Draws the label alone on a transparent image the size of the painter's `target`, exactly as it
// would go on the painter, and keeps the part that it marked.
bool LabelPictures::Make(const QImage& target, const QPainter& painter, const QRectF& bound,
                         const std::function<void(QPainter&)>& draw, Picture& picture) {
  if (scratch_.size() != target.size()) {
    scratch_ = QImage(target.size(), QImage::Format_ARGB32_Premultiplied);
    scratch_.fill(Qt::transparent);
  }
  const QRect area = bound.toAlignedRect() & scratch_.rect();
  if (!MakeRoom(size_t(area.width()) * area.height() * 4)) return false;
  {
    QPainter scratch(&scratch_);
    scratch.setRenderHints(painter.renderHints());
    scratch.setClipRect(area);
    draw(scratch);
  }
  const QRect ink = InkBox(scratch_, area);
  if (!ink.isEmpty()) {
    picture.image = scratch_.copy(ink);
    picture.at = ink.topLeft();
    bytes_ += picture.image.sizeInBytes();
  }
  for (int y = area.top(); y <= area.bottom(); ++y)
    std::memset(scratch_.scanLine(y) + area.left() * 4, 0, size_t(area.width()) * 4);
  picture.made = true;
  return true;
}

// Lets go of what the current repaint has not used when `bytes` more would pass the bound.
bool LabelPictures::MakeRoom(size_t bytes) {
  if (bytes_ + bytes <= kMaxBytes && pictures_.size() < kMaxLabels) return true;
  for (auto it = pictures_.begin(); it != pictures_.end();) {
    if (it->second.lastPaint == paint_) {
      ++it;
      continue;
    }
    bytes_ -= it->second.image.sizeInBytes();
    it = pictures_.erase(it);
  }
  return bytes_ + bytes <= kMaxBytes;
}

void LabelPictures::Clear() {
  pictures_.clear();
  bytes_ = 0;
  scratch_ = QImage();
}

}  // namespace orbline
