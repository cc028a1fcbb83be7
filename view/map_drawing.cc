#include "view/map_drawing.h"

#include <optional>

#include "document/document.h"
#include "document/map_kinds.h"
#include "view/canvas.h"

namespace orbline {
namespace {

constexpr Colour kCyan = Rgb(0, 255, 255);
constexpr Colour kGridBlue = Rgb(0, 180, 255);
constexpr int kLinkWidth = 20;
constexpr int kStationRadius = 7;
constexpr int kDefaultLabelHeight = 40;

void DrawGrid(Canvas& canvas) {
  // Fine lines every 20 units, then coarse ones every 100 over them.
  canvas.SelectPen(1, kCyan);
  for (int v = 0; v <= 980; v += 20) {
    canvas.Line(v, 0, v, Canvas::kPageHeight);
    canvas.Line(0, v, Canvas::kPageWidth, v);
  }
  canvas.RestorePen();
  canvas.SelectPen(1, kGridBlue);
  for (int v = 0; v <= 900; v += 100) {
    canvas.Line(v, 0, v, Canvas::kPageHeight);
    canvas.Line(0, v, Canvas::kPageWidth, v);
  }
  canvas.RestorePen();
}

void DrawItem(Canvas& canvas, const Document& doc, int index) {
  const auto& p = doc.mapValues[index];  // p[1] … p[11] are param1 … param11
  switch (p[map::kKind]) {
    case map::kStationLinkA:
    case map::kStationLinkB:
      canvas.SelectPen(kLinkWidth, Rgb(p[8], p[9], p[10]));
      canvas.Line(p[4], p[5], p[6], p[7]);
      canvas.RestorePen();
      canvas.Ellipse(p[4] - kStationRadius, p[5] - kStationRadius, p[4] + kStationRadius, p[5] + kStationRadius);
      canvas.Ellipse(p[6] - kStationRadius, p[7] - kStationRadius, p[6] + kStationRadius, p[7] + kStationRadius);
      break;
    case map::kStationBar:
      canvas.FillSolidRect(index % 2 == 0 ? 790 : 890, p[3], 20, p[4] - p[3], kBlack);
      break;
    case map::kLine:
      canvas.SelectPen(p[8] == 0 ? 1 : p[8], Rgb(p[5], p[6], p[7]));
      canvas.Line(p[1], p[2], p[3], p[4]);
      canvas.RestorePen();
      break;
    case map::kLabel: {
      FontSpec font;
      font.height = p[6] == 0 ? kDefaultLabelHeight : p[6];
      font.vertical = p[7] != 0;
      font.italic = (p[8] & 0xFF) != 0;
      font.underline = (p[9] & 0xFF) != 0;
      canvas.SelectFont(font);
      canvas.SetTextColour(Rgb(p[3], p[4], p[5]));
      canvas.Text(p[1], p[2], doc.mapTexts[index]);
      canvas.SetTextColour(kBlack);
      canvas.RestoreFont();
      break;
    }
    case map::kFilledRect:
      canvas.FillSolidRect(p[1], p[2], p[3], p[4], Rgb(p[5], p[6], p[7]));
      break;
    case map::kCyanRect:
      canvas.FillSolidRect(p[1], p[2], p[3], p[4], kCyan);
      break;
    case map::kFilledEllipse:
      canvas.SelectBrush(Rgb(p[5], p[6], p[7]));
      canvas.Ellipse(p[1], p[2], p[3], p[4]);
      canvas.RestoreBrush();
      break;
    case map::kEllipseOutline:
      canvas.SelectPen(p[8], Rgb(p[5], p[6], p[7]));  // width 0 stays the thinnest pen
      canvas.EllipseOutline(p[1], p[2], p[3], p[4]);
      canvas.RestorePen();
      break;
    default:
      break;  // other kinds 1..100 draw nothing and do not end the page
  }
}

}  // namespace

void DrawMap(Canvas& canvas, const Document& doc, int display, int page, int grid) {
  const std::optional<int> header = doc.FindMapPage(display, page);
  if (header) {
    const auto& h = doc.mapValues[*header];
    canvas.FillSolidRect(0, 0, Canvas::kPageWidth, Canvas::kPageHeight, Rgb(h[1], h[2], h[3]));
  }
  if (grid != 0) DrawGrid(canvas);
  if (!header) return;
  for (int i = *header + 1; i < kMapItemCapacity; ++i) {
    const uint16_t kind = doc.mapValues[i][map::kKind];
    if (kind == 0 || kind > map::kPageCodeStep) break;
    DrawItem(canvas, doc, i);
  }
}

}  // namespace orbline
