#include "view/svg_canvas.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "platform/sjis.h"
#include "view/lettering.h"
#include "view/vertical_runs.h"

namespace orbline {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);

// Each face list starts with the face the drawings name, then the same face under its other name,
// then faces of its kind on Linux, macOS and Windows, the generic family last. Texts keep their
// blanks (listing columns are padded with them). An underline (class "d") is the face's own, where
// and as thick as the face says, and whole, as the window draws it.
constexpr std::string_view kStyle =
    "text{white-space:pre;font-family:'ＭＳ Ｐゴシック','MS PGothic',IPAPGothic,IPAexGothic,'Noto Sans CJK JP',"
    "'Hiragino Sans','Yu Gothic',sans-serif}"
    ".l{font-family:'ＭＳ ゴシック','MS Gothic',IPAGothic,'Noto Sans Mono CJK JP',TakaoGothic,'VL Gothic',"
    "Osaka-Mono,monospace}"
    ".d{text-decoration:underline;text-decoration-skip-ink:none}"
    ".v{writing-mode:vertical-rl}.u{text-orientation:upright}.s{text-orientation:sideways}"
    "path{fill:none}path,ellipse{stroke-linecap:round;stroke-linejoin:round}.h{vector-effect:non-scaling-stroke}";

// `v` with at most `decimals` decimals and no trailing zeros: "478.49", "100", "-2.5". Hundredths of
// a logical unit are far below a pixel at any size the page is shown.
void AppendNumber(std::string& out, double v, int decimals = 2) {
  char buf[32];
  const auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  std::string_view s(buf, static_cast<size_t>(result.ptr - buf));
  while (s.back() == '0') s.remove_suffix(1);
  if (s.back() == '.') s.remove_suffix(1);
  out += s == "-0" ? "0" : s;
}

void Attribute(std::string& out, std::string_view name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendNumber(out, value);
  out += '"';
}

std::string Hex(Colour c) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
  return hex;
}

void ColourAttribute(std::string& out, std::string_view name, Colour c) {
  out += ' ';
  out += name;
  out += "=\"" + Hex(c) + '"';
}

// x' = a·x + c·y + e, y' = b·x + y + f.
void Transform(std::string& out, double a, double b, double c, double e, double f) {
  out += " transform=\"matrix(";
  AppendNumber(out, a, 4);
  out += ' ';
  AppendNumber(out, b, 4);
  out += ' ';
  AppendNumber(out, c, 4);
  out += " 1 ";
  AppendNumber(out, e);
  out += ' ';
  AppendNumber(out, f);
  out += ")\"";
}

// Shift_JIS text as XML character data. Line breaks are left out, as the window draws them as
// nothing; other control characters, which XML cannot hold, become U+FFFD, as the window draws
// them as a box.
void AppendText(std::string& out, std::string_view sjis) {
  for (const char c : SjisToUtf8(sjis)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\r':
      case '\n': break;
      default:
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
          out += "\xEF\xBF\xBD";
        else
          out += c;
    }
  }
}

std::string PenAttributes(int width, Colour colour) {
  std::string pen;
  if (width <= 0) pen = " class=\"h\"";
  ColourAttribute(pen, "stroke", colour);
  if (width > 0) Attribute(pen, "stroke-width", width);
  return pen;
}

}  // namespace

SvgCanvas::SvgCanvas(int width, int height)
    : width_(width),
      height_(height),
      sy_(height / double(kPageHeight)),
      squash_(sy_ * kPageWidth / width),
      pen_(PenAttributes(0, kBlack)),
      brush_(kWhite) {}

void SvgCanvas::FillSolidRect(int x, int y, int cx, int cy, Colour colour) {
  EndPath();
  // A negative size reaches back from (x, y).
  if (cx < 0) x += cx, cx = -cx;
  if (cy < 0) y += cy, cy = -cy;
  if (cx == 0 || cy == 0) return;
  Open("rect");
  Attribute(body_, "x", x);
  Attribute(body_, "y", y);
  Attribute(body_, "width", cx);
  Attribute(body_, "height", cy);
  ColourAttribute(body_, "fill", colour);
  body_ += "/>\n";
}

void SvgCanvas::SelectPen(int width, Colour colour) { pen_ = PenAttributes(width, colour); }
void SvgCanvas::RestorePen() { pen_ = PenAttributes(0, kBlack); }
void SvgCanvas::SelectBrush(Colour colour) { brush_ = colour; }
void SvgCanvas::RestoreBrush() { brush_ = kWhite; }
void SvgCanvas::SelectFont(const FontSpec& font) {
  font_ = font;
  listingFont_ = false;
}
void SvgCanvas::RestoreFont() {
  font_ = FontSpec();
  listingFont_ = true;
}
void SvgCanvas::SetTextColour(Colour colour) { textColour_ = colour; }

// Lines drawn one after another with one pen become one path: a grid is two elements.
void SvgCanvas::Line(int x1, int y1, int x2, int y2) {
  if (pathPen_ != pen_) EndPath();
  pathPen_ = pen_;
  path_ += 'M';
  path_ += std::to_string(x1) + ' ' + std::to_string(y1) + ' ' + std::to_string(x2) + ' ' + std::to_string(y2);
}

void SvgCanvas::EndPath() {
  if (!path_.empty()) {
    Open("path");
    body_ += pathPen_ + " d=\"" + path_ + "\"/>\n";
  }
  path_.clear();
  pathPen_.clear();
}

// A row's elements are kept apart from the next row's: a path ends with its row.
void SvgCanvas::SetRow(const SourceRow& row) {
  if (row == row_) return;
  EndPath();
  row_ = row;
}

// Closes the group of the last file, if any, and opens that of `file` unless it is none.
void SvgCanvas::EnterFile(std::string_view file) {
  if (file == groupFile_) return;
  if (!groupFile_.empty()) body_ += "</g>\n";
  if (!file.empty()) body_ += "<g data-file=\"" + std::string(file) + "\">\n";
  groupFile_ = file;
}

// Starts an element of the current row: in its file's group, with its line.
void SvgCanvas::Open(std::string_view element) {
  EnterFile(row_.file);
  body_ += '<';
  body_ += element;
  if (row_.empty()) return;
  Attribute(body_, "data-line", row_.line);
  if (rowsWritten_.emplace(std::string(row_.file), row_.line).second)
    rows_.push_back({std::string(row_.file), row_.line});
}

void SvgCanvas::DrawEllipse(int left, int top, int right, int bottom, std::string_view fill) {
  EndPath();
  Open("ellipse");
  Attribute(body_, "cx", (left + right) / 2.0);
  Attribute(body_, "cy", (top + bottom) / 2.0);
  Attribute(body_, "rx", std::abs(right - left) / 2.0);
  Attribute(body_, "ry", std::abs(bottom - top) / 2.0);
  body_ += " fill=\"";
  body_ += fill;
  body_ += '"';
  body_ += pen_;
  body_ += "/>\n";
}

void SvgCanvas::Ellipse(int left, int top, int right, int bottom) {
  DrawEllipse(left, top, right, bottom, Hex(brush_));
}

void SvgCanvas::EllipseOutline(int left, int top, int right, int bottom) {
  DrawEllipse(left, top, right, bottom, "none");
}

// The character height in logical units that the window draws at the file's size.
double SvgCanvas::FontSize() const {
  return (listingFont_ ? ListingFontPixels(sy_) : LabelFontPixels(font_.height, sy_)) / sy_;
}

// A text's cell has its top left at (x, y), as in the window; SVG places text by the baseline,
// kAscent below the cell's top, or in vertical writing by the column's middle, half a cell left of
// the window's baseline. Italic leans as the window's does: horizontal text about its baseline,
// a column down its length about the turned characters' baseline.
void SvgCanvas::Text(int x, int y, std::string_view sjis) {
  EndPath();
  const double size = FontSize(), ascent = kAscent * size;
  const bool vertical = !listingFont_ && font_.vertical, underline = !listingFont_ && font_.underline;
  std::string& out = body_;
  Open("text");
  if (listingFont_) out += " class=\"l\"";
  if (vertical) out += underline ? " class=\"v d\"" : " class=\"v\"";
  if (!vertical && underline) out += " class=\"d\"";
  Attribute(out, "x", vertical ? x - kCell * size / 2 : x);
  Attribute(out, "y", vertical ? y : y + ascent);
  if (!listingFont_) Attribute(out, "font-size", size);
  // On a page stretched more one way than the other, glyphs keep their proportions as in the
  // window: texts are narrowed (or widened) by `squash_` about their left edge, or a column about
  // its right edge. Italic leans before, in the glyphs' own proportions.
  const double slant = !listingFont_ && font_.italic ? kItalicSlant : 0, k = squash_;
  if (vertical && (slant != 0 || k != 1)) Transform(out, k, slant, 0, x * (1 - k), slant * (ascent - x));
  if (!vertical && (slant != 0 || k != 1)) Transform(out, k, 0, -k * slant, x * (1 - k) + k * slant * (y + ascent), 0);
  if (textColour_ != kBlack) ColourAttribute(out, "fill", textColour_);
  out += '>';
  if (vertical) {
    for (const VerticalRun& run : SplitVerticalRuns(sjis)) {
      out += run.upright ? "<tspan class=\"u\">" : "<tspan class=\"s\">";
      AppendText(out, run.sjis);
      out += "</tspan>";
    }
  } else {
    AppendText(out, sjis);
  }
  out += "</text>\n";
}

std::string SvgCanvas::Svg() {
  EndPath();
  EnterFile({});
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\"";
  Attribute(svg, "width", width_);
  Attribute(svg, "height", height_);
  svg += " viewBox=\"0 0 " + std::to_string(kPageWidth) + ' ' + std::to_string(kPageHeight) +
         "\" preserveAspectRatio=\"none\" xml:space=\"preserve\">\n<title>Zelkor Maker</title>\n<style>";
  svg += kStyle;
  svg += ".l{font-size:";
  AppendNumber(svg, ListingFontPixels(sy_) / sy_);
  svg += "px}</style>\n";
  svg += body_;
  svg += "</svg>\n";
  return svg;
}

}  // namespace orbline
