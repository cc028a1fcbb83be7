#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>

#include <string_view>
#include <vector>

struct hb_font_t;

namespace orbline {

// A text set in a column, top to bottom, in device pixels. Double-byte characters stand upright in
// the face's vertical forms (a long-vowel mark runs down, brackets open downwards, 、。 sit at the
// top right); runs of single-byte characters lie turned a quarter clockwise, their baseline down the
// column (view/vertical_runs.h). Characters the face lacks come from the faces Qt falls back on.
struct VerticalText {
  struct Run {
    bool turned = false;
    // Upright: glyph positions from the column's top right corner. Turned: from the run's start on
    // the column's right edge, in the turned frame (x down the column, y towards its left). The
    // glyphs are of one face: a run the face cannot draw whole is several.
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

  // Sets the Shift_JIS text `sjis`. `raw` is the face at the size to draw and `font` the same
  // font for what the face lacks; `ascent` and `column` (the cell height) are its metrics. Upright
  // characters are centred in the column; turned ones have their cell's top on the column's right
  // edge.
  VerticalText Set(const QRawFont& raw, const QFont& font, std::string_view sjis, double ascent, double column) const;

 private:
  double Shape(const QRawFont& raw, const QString& text, int start, int end, bool upright, double ascent, double column,
               double down, VerticalText& result) const;
  hb_font_t* font_;
  double unitsPerEm_;
};

}  // namespace orbline
