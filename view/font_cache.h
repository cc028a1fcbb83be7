#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QRawFont>
#include <QString>

#include <cstddef>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "view/vertical_text.h"

class QPaintDevice;

namespace orbline {

// A font the canvas draws text in, at a size in device pixels.
struct FontKey {
  enum Face : unsigned char {
    kListing,        // the fixed-pitch face of the listings
    kLabel,          // the proportional Gothic face of map labels
    kVerticalLabel,  // the same face, set vertically glyph by glyph
  };
  Face face = kListing;
  int pixelSize = 0;
  bool italic = false;     // kLabel only: a vertical label slants as it is drawn
  bool underline = false;  // kLabel only: a vertical label draws its own line
  int dpi = 0;             // the paint device's logical resolution

  bool operator==(const FontKey&) const = default;
};

// Fonts and laid-out texts, kept across items and repaints: making a font means matching it
// against the system's faces and laying out a text means shaping it, each of which costs more than
// drawing the glyphs, and holding the font keeps Qt from dropping the face and its rendered glyphs. One cache serves
// the whole program (GUI thread only); it is emptied when it grows past its bounds and when the application object
// ends.
class FontCache {
 public:
  struct Font {
    FontKey key;
    QFont font;  // resolved for the key's device resolution
    double ascent = 0;
    double height = 0;  // the cell: ascent + descent
    double underlinePos = 0;
    double lineWidth = 0;
    QRawFont raw;  // kVerticalLabel only
  };

  static FontCache& Get();

  const Font& Find(const FontKey& key, const QPaintDevice* device);
  // `text` laid out on one line in `font`, from the top left corner of its cell.
  const QList<QGlyphRun>& LayOut(const Font& font, const QString& text);
  // The Shift_JIS text `sjis` set vertically in `font`, which Find returned for a kVerticalLabel
  // key: which characters stand upright follows from the bytes, not from what they decode to.
  const VerticalText& SetVertically(const Font& font, std::string_view sjis);
  void Clear();

 private:
  struct KeyHash {
    size_t operator()(const FontKey& key) const;
  };
  struct TextKey {
    FontKey font;
    QString text;  // vertical texts: their bytes, one character each
    bool operator==(const TextKey&) const = default;
  };
  struct TextKeyHash {
    size_t operator()(const TextKey& key) const;
  };
  struct NameHash {
    size_t operator()(const QString& name) const;
  };

  std::unordered_map<FontKey, Font, KeyHash> fonts_;
  std::unordered_map<TextKey, QList<QGlyphRun>, TextKeyHash> horizontal_;
  std::unordered_map<TextKey, VerticalText, TextKeyHash> vertical_;
  std::unordered_map<QString, std::unique_ptr<VerticalShaper>, NameHash> shapers_;  // by face
};

}  // namespace orbline
