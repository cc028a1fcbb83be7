#include "recording_canvas.h"

#include <cstdio>

#include "platform/sjis.h"

namespace orbline {
namespace {

std::string Ints(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += " " + std::to_string(v);
  return s;
}

std::string ColourName(Colour c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
  return buf;
}

}  // namespace

void RecordingCanvas::FillSolidRect(int x, int y, int cx, int cy, Colour colour) {
  ops_.push_back("FillSolidRect" + Ints({x, y, cx, cy}) + " " + ColourName(colour));
}
void RecordingCanvas::SelectPen(int width, Colour colour) {
  ops_.push_back("SelectPen" + Ints({width}) + " " + ColourName(colour));
}
void RecordingCanvas::RestorePen() { ops_.push_back("RestorePen"); }
void RecordingCanvas::SelectBrush(Colour colour) { ops_.push_back("SelectBrush " + ColourName(colour)); }
void RecordingCanvas::RestoreBrush() { ops_.push_back("RestoreBrush"); }
void RecordingCanvas::SelectFont(const FontSpec& f) {
  ops_.push_back("SelectFont" + Ints({f.height}) + (f.italic ? " italic" : "") + (f.underline ? " underline" : "") +
                 (f.vertical ? " vertical" : ""));
}
void RecordingCanvas::RestoreFont() { ops_.push_back("RestoreFont"); }
void RecordingCanvas::SetTextColour(Colour colour) { ops_.push_back("SetTextColour " + ColourName(colour)); }
void RecordingCanvas::Line(int x1, int y1, int x2, int y2) { ops_.push_back("Line" + Ints({x1, y1, x2, y2})); }
void RecordingCanvas::Ellipse(int l, int t, int r, int b) { ops_.push_back("Ellipse" + Ints({l, t, r, b})); }
void RecordingCanvas::EllipseOutline(int l, int t, int r, int b) {
  ops_.push_back("EllipseOutline" + Ints({l, t, r, b}));
}
void RecordingCanvas::Text(int x, int y, std::string_view sjis) {
  ops_.push_back("Text" + Ints({x, y}) + " " + SjisToUtf8(sjis));
}

}  // namespace orbline
