#pragma once

#include <string>
#include <vector>

#include "view/canvas.h"

namespace orbline {

// Keeps every drawing operation as a line of text: "FillSolidRect 100 50 100 30 #0080FF",
// "Text 220 50 <text as UTF-8>", "SelectPen 20 #FF0000", "RestorePen", … Colours are written #RRGGBB.
class RecordingCanvas : public Canvas {
 public:
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

  const std::vector<std::string>& ops() const { return ops_; }

 private:
  std::vector<std::string> ops_;
};

}  // namespace orbline
