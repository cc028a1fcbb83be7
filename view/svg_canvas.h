#pragma once

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "view/canvas.h"

namespace orbline {

// Draws the page as an SVG file. The 1000 × 750 page is the file's viewBox, so every coordinate,
// size and pen width in it is the drawing's own logical unit and the file scales to any size.
// Texts stay text, one <text> element per Text(), in the faces the window draws with and the
// faces Windows and Linux have in their place; vertical labels use SVG's vertical writing.
// Needs nothing but the standard library.
//
// What the file holds, element by element:
//   <rect>     a FillSolidRect, its size made positive;
//   <path>     the Lines drawn one after another with one pen ("M x1 y1 x2 y2" each), unfilled;
//   <ellipse>  an Ellipse (filled with the brush) or an EllipseOutline (fill "none");
//   <text>     a Text: class "l" in the listing face (its size in the style sheet), else in the label
//              face at its font-size; class "v" a column of runs, <tspan> "u" upright and "s" turned
//              (view/vertical_runs.h); class "d" underlined; a transform where it leans (italic) or
//              keeps its proportions on a page stretched unevenly.
// Pens: stroke and stroke-width in logical units with round ends and joins; the thinnest pen
// (width 0) is class "h", one device pixel wide at any scale.
//
// Source rows (Canvas::SetRow), for a page that shows the file and names the row under the pointer:
//   data-line  on every element drawn from a row: the row's 1-based line in its file;
//   <g data-file="map.txt">  around the elements of one source file drawn one after another: the
//              file's name (info.txt, kind.txt, eki.txt, map.txt, data1.txt … data3.txt), never a
//              path.
// So the row of the element under the pointer is `e.closest("[data-line]")` with the data-file of
// `e.closest("[data-file]")`, and the elements of a row are `[data-file="map.txt"] [data-line="24"]`.
// A row is a map item (a page header's row is the page's background), a line of a listing or a
// train of the timetable listing (in the file its day type was read from, so two day types read
// from one file show the same rows). The grid, the timetable's ticks and empty train slots belong
// to no row and carry neither. An element holds one row: a path ends where the row changes. Later
// elements lie over earlier ones, so the topmost element under the pointer is the topmost item.
class SvgCanvas : public Canvas {
 public:
  // The Japanese Gothic faces' metrics in ems, for placing texts by their cells as the window does
  // (SVG places text by its baseline): the ascent, from the cell's top to the baseline, and the
  // cell's height (ascent and descent), which is the width of a vertical column. The IPA faces'
  // values, which the window measures on Linux (those of Windows' MS Gothic faces are 0.86 and 1).
  static constexpr double kAscent = 0.88;
  static constexpr double kCell = 1.0756;

  // A page to be shown `width` × `height` pixels (each at least 1), the size the file states:
  // character heights round to whole pixels of it and the listing font keeps its least size there,
  // as in the window.
  explicit SvgCanvas(int width = kPageWidth, int height = kPageHeight);

  void FillSolidRect(int x, int y, int cx, int cy, Colour colour) override;
  void SelectPen(int width, Colour colour) override;
  void RestorePen() override;
  void SelectBrush(Colour colour) override;
  void RestoreBrush() override;
  void SelectFont(const FontSpec& font) override;
  void RestoreFont() override;
  void SetTextColour(Colour colour) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void EllipseOutline(int left, int top, int right, int bottom) override;
  void Text(int x, int y, std::string_view sjis) override;
  void SetRow(const SourceRow& row) override;

  // The whole file, UTF-8.
  std::string Svg();

  // The rows that elements of the file carry, each once, in the order of the first element that
  // carries it: what a page counts when it names a row by its place among the file's rows.
  struct WrittenRow {
    std::string file;
    int line;
    bool operator==(const WrittenRow&) const = default;
  };
  const std::vector<WrittenRow>& rows() const { return rows_; }

 private:
  void EndPath();
  void EnterFile(std::string_view file);
  void Open(std::string_view element);
  void DrawEllipse(int left, int top, int right, int bottom, std::string_view fill);
  double FontSize() const;

  int width_, height_;
  double sy_;      // device pixels to a logical unit down the page
  double squash_;  // the page's vertical stretch over its horizontal one
  std::string body_;
  std::string pen_;      // the pen's attributes
  std::string pathPen_;  // those of the open path
  std::string path_;     // its data so far
  Colour brush_;
  bool listingFont_ = true;
  FontSpec font_;
  Colour textColour_ = kBlack;
  SourceRow row_;
  std::string groupFile_;  // the file whose group is open; empty for none
  std::vector<WrittenRow> rows_;
  std::set<std::pair<std::string, int>, std::less<>> rowsWritten_;
};

}  // namespace orbline
