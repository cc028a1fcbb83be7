#include "view/font_cache.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHashFunctions>
#include <QPaintDevice>
#include <QTextLayout>

#include "view/faces.h"

namespace orbline {
namespace {

// Bounds past which a cache starts again: far more sizes and texts than one page shows.
constexpr size_t kMaxFonts = 1024;
constexpr size_t kMaxTexts = 8192;

QFont MakeFont(const FontKey& key) {
  QFont font(key.face == FontKey::kListing ? ListingFaceName() : JapaneseGothicName());
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(key.pixelSize);
  if (key.face == FontKey::kListing) {
    // Unhinted advances keep half-width characters exactly half as wide as full-width ones at
    // every size, and nothing may move a character off its byte column.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
  }
  font.setItalic(key.italic);
  font.setUnderline(key.underline);
  return font;
}

}  // namespace

size_t FontCache::KeyHash::operator()(const FontKey& key) const {
  return qHashMulti(0, int(key.face), key.pixelSize, key.italic, key.underline, key.dpi);
}
size_t FontCache::TextKeyHash::operator()(const TextKey& key) const { return qHash(key.text, KeyHash()(key.font)); }
size_t FontCache::NameHash::operator()(const QString& name) const { return qHash(name); }

FontCache& FontCache::Get() {
  static FontCache* cache = [] {
    // Fonts must be let go while the application's font system still exists.
    qAddPostRoutine([] { Get().Clear(); });
    return new FontCache;
  }();
  return *cache;
}

const FontCache::Font& FontCache::Find(const FontKey& key, const QPaintDevice* device) {
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  if (fonts_.size() >= kMaxFonts) Clear();
  Font f;
  f.key = key;
  f.font = QFont(MakeFont(key), device);
  const QFontMetricsF metrics(f.font, device);
  f.ascent = metrics.ascent();
  f.height = metrics.height();
  f.underlinePos = metrics.underlinePos();
  f.lineWidth = metrics.lineWidth();
  if (key.face == FontKey::kVerticalLabel) f.raw = QRawFont::fromFont(f.font);
  return fonts_.emplace(key, std::move(f)).first->second;
}

const QList<QGlyphRun>& FontCache::LayOut(const Font& font, const QString& text) {
  TextKey key{font.key, text};
  auto it = horizontal_.find(key);
  if (it != horizontal_.end()) return it->second;
  if (horizontal_.size() >= kMaxTexts) horizontal_.clear();
  QTextLayout layout(text, font.font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  return horizontal_.emplace(std::move(key), layout.glyphRuns()).first->second;
}

const VerticalText& FontCache::SetVertically(const Font& font, std::string_view sjis) {
  TextKey key{font.key, QString::fromLatin1(sjis.data(), static_cast<qsizetype>(sjis.size()))};
  auto it = vertical_.find(key);
  if (it != vertical_.end()) return it->second;
  if (vertical_.size() >= kMaxTexts) vertical_.clear();
  const QString face = font.raw.familyName() + QLatin1Char('/') + font.raw.styleName();
  std::unique_ptr<VerticalShaper>& shaper = shapers_[face];
  if (!shaper) shaper = std::make_unique<VerticalShaper>(font.raw);
  VerticalText set = shaper->Set(font.raw, font.font, sjis, font.ascent, font.height);
  return vertical_.emplace(std::move(key), std::move(set)).first->second;
}

void FontCache::Clear() {
  horizontal_.clear();
  vertical_.clear();
  fonts_.clear();
  shapers_.clear();
}

}  // namespace orbline
