#pragma once

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <functional>
#include <unordered_map>

#include "view/font_cache.h"

class QPainter;

namespace orbline {

// Map labels kept as pictures across repaints. Qt blends every pixel of every glyph's box one by
// one; a picture of the whole label goes down in one image blend, several times faster. A label
// gets its picture the second time it is drawn at the same place, so a page seen once (a window
// being resized, an export) costs nothing extra. Pictures are made only on plain images, where
// the painter's coordinates are the image's pixels; elsewhere labels are drawn as they are.
// One store serves the whole program (GUI thread only).
class LabelPictures {
 public:
  // What makes a label look as it does: the font, its variants, the text, the colour and the
  // place in device pixels, and the image drawn on.
  struct Key {
    FontKey font;
    bool italic = false;
    bool underline = false;
    QString text;  // vertical labels: their bytes, one character each
    QRgb colour = 0;
    double x = 0, y = 0;
    QSize device;
    int hints = 0;
    bool operator==(const Key&) const = default;
  };

  static LabelPictures& Get();

  // Starts a repaint: pictures not used since the last one may be let go.
  void BeginPaint() { ++paint_; }
  // Draws a label with `draw`, or from its picture. `bound` gives a rectangle holding everything
  // `draw` puts down; it is asked only when a picture is made.
  void Draw(QPainter& painter, const Key& key, const std::function<QRectF()>& bound,
            const std::function<void(QPainter&)>& draw);
  void Clear();
  // The memory the pictures take.
  size_t Bytes() const { return bytes_; }

 private:
  struct KeyHash {
    size_t operator()(const Key& key) const;
  };
  struct Picture {
    bool made = false;  // false: seen once, drawn as it is
    QImage image;       // premultiplied; null when the label leaves no mark
    QPoint at;
    unsigned lastPaint = 0;
  };

  bool Make(const QImage& target, const QPainter& painter, const QRectF& bound,
            const std::function<void(QPainter&)>& draw, Picture& picture);
  bool MakeRoom(size_t bytes);

  std::unordered_map<Key, Picture, KeyHash> pictures_;
  size_t bytes_ = 0;
  unsigned paint_ = 0;
  QImage scratch_;  // transparent but while a picture is made
};

}  // namespace orbline
