#pragma once

#include <algorithm>
#include <cmath>

namespace orbline {

// How the displays' texts are sized and slanted, on every canvas.

// The listing font's height in logical units, and the fewest pixels of the screen it shrinks to,
// so that a listing in a small window stays legible.
inline constexpr int kListingFontHeight = 16;
inline constexpr int kListingFontMinPixels = 12;

// How far an italic character leans: the slant of the faces' synthetic italic, about 12°.
inline constexpr double kItalicSlant = 0.2126;

// Font sizes in whole device pixels, on a device with `pixelsPerUnit` pixels to a logical unit down
// the page. `pixelRatio`: device pixels to a pixel of the screen.
inline int ListingFontPixels(double pixelsPerUnit, double pixelRatio = 1) {
  const double pixels = std::max(kListingFontMinPixels * pixelRatio, kListingFontHeight * pixelsPerUnit);
  return static_cast<int>(std::lround(pixels));
}
// A label's cell height (logical units) follows the vertical factor only, so glyphs keep their
// proportions.
inline int LabelFontPixels(int height, double pixelsPerUnit) {
  return std::max(1, static_cast<int>(std::lround(height * pixelsPerUnit)));
}

}  // namespace orbline
