#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/sjis.h"
#include "view/canvas.h"

namespace orbline {

// Keeps every drawing operation as a line of text: "FillSolidRect 100 50 100 30 #0080FF",
// "Text 220 50 <text as UTF-8>", "SelectPen 20 #FF0000", "RestorePen", "Row map.txt:24", "Row -" …
// Colours are written #RRGGBB.
class RecordingCanvas : public Canvas {
 public:
  void FillSolidRect(int x, int y, int cx, int cy, Colour colour) override {
    Op("FillSolidRect", x, y, cx, cy, Hex(colour));
  }
  void SelectPen(int width, Colour colour) override { Op("SelectPen", width, Hex(colour)); }
  void RestorePen() override { Op("RestorePen"); }
  void SelectBrush(Colour colour) override { Op("SelectBrush", Hex(colour)); }
  void RestoreBrush() override { Op("RestoreBrush"); }
  void SelectFont(const FontSpec& f) override {
    ops_.push_back("SelectFont " + std::to_string(f.height) + (f.italic ? " italic" : "") +
                   (f.underline ? " underline" : "") + (f.vertical ? " vertical" : ""));
  }
  void RestoreFont() override { Op("RestoreFont"); }
  void SetTextColour(Colour colour) override { Op("SetTextColour", Hex(colour)); }
  void Line(int x1, int y1, int x2, int y2) override { Op("Line", x1, y1, x2, y2); }
  void Ellipse(int l, int t, int r, int b) override { Op("Ellipse", l, t, r, b); }
  void EllipseOutline(int l, int t, int r, int b) override { Op("EllipseOutline", l, t, r, b); }
  void Text(int x, int y, std::string_view sjis) override { Op("Text", x, y, SjisToUtf8(sjis)); }
  void SetRow(const SourceRow& row) override {
    Op("Row", row.empty() ? std::string("-") : std::string(row.file) + ":" + std::to_string(row.line));
  }

  const std::vector<std::string>& ops() const { return ops_; }

 private:
  static std::string Field(int value) { return std::to_string(value); }
  static std::string Field(const std::string& text) { return text; }
  static std::string Hex(Colour c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return buf;
  }
  template <typename... Fields>
  void Op(std::string name, const Fields&... fields) {
    ((name += " " + Field(fields)), ...);
    ops_.push_back(std::move(name));
  }

  std::vector<std::string> ops_;
};

}  // namespace orbline
