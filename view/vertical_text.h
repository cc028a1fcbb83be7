#pragma once

#include <QGlyphRun>
#include <QRawFont>
#include <QString>

#include <vector>

struct hb_font_t;

namespace orbline {

// A text set in a column, top to bottom, in device pixels. Wide characters stand upright in the
// face's vertical forms (a long-vowel mark runs down, brackets open downwards, 、。 sit at the top
// right); runs of narrow characters lie turned a quarter clockwise, their baseline down the column.
struct VerticalText {
  struct Run {
    bool turned = false;
    // Upright: glyph positions from the column's top right corner. Turned: from the run's start on
    // the column's right edge, in the turned frame (x down the column, y towards its left).
    QGlyphRun glyphs;
    double top = 0;  // where a turned run starts, down the column
  };
  std::vector<Run> runs;
  double length = 0;  // from the top of the column to the end of its last character
};

// Sets texts vertically in one face with its OpenType vertical forms ('vert', 'vrt2') and its
// vertical metrics. Made once per face: it keeps the face's shaping tables.
class VerticalShaper {
 public:
  explicit VerticalShaper(const QRawFont& face);
  ~VerticalShaper();
  VerticalShaper(const VerticalShaper&) = delete;
  VerticalShaper& operator=(const VerticalShaper&) = delete;

  // `font` is the face at the size to draw; `ascent` and `column` (the cell height) are its
  // metrics. Upright characters are centred in the column; turned ones have their cell's top on
  // the column's right edge.
  VerticalText Set(const QRawFont& font, const QString& text, double ascent, double column) const;

 private:
  hb_font_t* font_;
  double unitsPerEm_;
};

}  // namespace orbline
