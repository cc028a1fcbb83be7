#pragma once

#include <cstdint>
#include <string_view>

#include "document/colour.h"

namespace orbline {

// A font for text output. `height` is the character cell height in logical units.
struct FontSpec {
  int height = 0;
  bool italic = false;
  bool underline = false;
  bool vertical = false;  // written top to bottom (the vertical-writing face)
};

// The row of a source file that a drawn thing comes from: `file` is one of the line's source file
// names, held for the whole run (document/source_file_names.h), and `line` its 1-based line. A row
// without a file stands for none (the grid, the timetable's ticks, an empty train slot).
struct SourceRow {
  std::string_view file;
  int line = 0;

  bool empty() const { return file.empty(); }
  bool operator==(const SourceRow&) const = default;
};

// What the drawings draw on: a page of 1000 × 750 logical units, (0, 0) at the top left, y
// downward, each axis stretched on its own over the device. Every coordinate, size, pen width and
// character height is in logical units. Pens, brushes and fonts are made for one use and
// released before the next: Select* puts one in place of the default, Restore* puts the default
// back and releases it. The defaults are a thin black pen, a white brush, the listing font and
// black text. Texts are Shift_JIS bytes, drawn with the cell's top left at (x, y) and no
// background. The drawings say which source row each thing they draw comes from (SetRow); a canvas
// that only draws ignores it.
class Canvas {
 public:
  static constexpr int kPageWidth = 1000;
  static constexpr int kPageHeight = 750;

  virtual ~Canvas() = default;

  // Fills the rectangle from (x, y) to (x + cx, y + cy); no outline.
  virtual void FillSolidRect(int x, int y, int cx, int cy, Colour colour) = 0;

  // A solid pen; width 0 is one device pixel at any scale, wider pens have round ends and joins.
  virtual void SelectPen(int width, Colour colour) = 0;
  virtual void RestorePen() = 0;
  virtual void SelectBrush(Colour colour) = 0;
  virtual void RestoreBrush() = 0;
  virtual void SelectFont(const FontSpec& font) = 0;
  virtual void RestoreFont() = 0;
  virtual void SetTextColour(Colour colour) = 0;

  // A line with the current pen, from (x1, y1) to (x2, y2).
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  // An ellipse in the box, outlined with the pen and filled with the brush.
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // The whole outline of the ellipse in the box, unfilled.
  virtual void EllipseOutline(int left, int top, int right, int bottom) = 0;
  virtual void Text(int x, int y, std::string_view sjis) = 0;

  // The operations from here to the next call draw the source row `row`; none at first.
  virtual void SetRow(const SourceRow&) {}
};

}  // namespace orbline
