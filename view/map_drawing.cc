#include "view/map_drawing.h"

#include <optional>

#include "document/document.h"
#include "document/source_file_names.h"
#include "view/canvas.h"

namespace orbline {
namespace {

constexpr Colour kGridBlue = Rgb(0, 180, 255);
constexpr int kLinkWidth = 20;
constexpr int kStationRadius = 7;
// Station bars stand in two columns: items at even rows on the left, odd ones on the right.
constexpr int kBarLeftX = 790;
constexpr int kBarRightX = 890;
constexpr int kBarWidth = 20;

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

void DrawStation(Canvas& canvas, MapItem::Point at) {
  canvas.Ellipse(at.x - kStationRadius, at.y - kStationRadius, at.x + kStationRadius, at.y + kStationRadius);
}

void DrawLabel(Canvas& canvas, const MapItem::Label& label, const Text& text) {
  FontSpec font;
  font.height = label.height;
  font.vertical = label.vertical;
  font.italic = label.italic;
  font.underline = label.underline;
  canvas.SelectFont(font);
  canvas.SetTextColour(label.colour);
  canvas.Text(label.at.x, label.at.y, text);
  canvas.SetTextColour(kBlack);
  canvas.RestoreFont();
}

// Item `index` of the table; the index places a station bar.
void DrawItem(Canvas& canvas, const MapItem& item, int index) {
  switch (item.kind()) {
    case MapItem::kStationLinkA:
    case MapItem::kStationLinkB: {
      const MapItem::Link link = item.AsLink();
      canvas.SelectPen(kLinkWidth, link.colour);
      canvas.Line(link.a.x, link.a.y, link.b.x, link.b.y);
      canvas.RestorePen();
      DrawStation(canvas, link.a);
      DrawStation(canvas, link.b);
      break;
    }
    case MapItem::kStationBar: {
      const MapItem::Bar bar = item.AsBar();
      canvas.FillSolidRect(index % 2 == 0 ? kBarLeftX : kBarRightX, bar.top, kBarWidth, bar.bottom - bar.top, kBlack);
      break;
    }
    case MapItem::kLine: {
      const MapItem::Line line = item.AsLine();
      canvas.SelectPen(line.width, line.colour);
      canvas.Line(line.a.x, line.a.y, line.b.x, line.b.y);
      canvas.RestorePen();
      break;
    }
    case MapItem::kLabel: DrawLabel(canvas, item.AsLabel(), item.text); break;
    case MapItem::kFilledRect:
    case MapItem::kCyanRect: {
      const MapItem::Rect r = item.AsRect();
      canvas.FillSolidRect(r.x, r.y, r.width, r.height, r.colour);
      break;
    }
    case MapItem::kFilledEllipse: {
      const MapItem::Ellipse e = item.AsEllipse();
      canvas.SelectBrush(e.colour);
      canvas.Ellipse(e.left, e.top, e.right, e.bottom);
      canvas.RestoreBrush();
      break;
    }
    case MapItem::kEllipseOutline: {
      const MapItem::Ellipse e = item.AsEllipse();
      canvas.SelectPen(e.penWidth, e.colour);  // width 0 stays the thinnest pen
      canvas.EllipseOutline(e.left, e.top, e.right, e.bottom);
      canvas.RestorePen();
      break;
    }
    default: break;  // other kinds 1..100 draw nothing and do not end the page
  }
}

}  // namespace

void DrawMap(Canvas& canvas, const Document& doc, int display, int page, int grid) {
  const auto row = [&](int i) { return SourceRow{kMapFile, SourceLine(doc.mapItems[i], i)}; };
  const std::optional<int> header = doc.FindMapPage(display, page);
  if (header) {
    canvas.SetRow(row(*header));
    const Colour background = doc.mapItems[*header].AsPageHeader().background;
    canvas.FillSolidRect(0, 0, Canvas::kPageWidth, Canvas::kPageHeight, background);
  }
  if (grid != 0) {
    canvas.SetRow({});  // the grid belongs to no row
    DrawGrid(canvas);
  }
  if (!header) return;
  for (int i = *header + 1; i < kMapItemCapacity && !doc.mapItems[i].EndsPage(); ++i) {
    canvas.SetRow(row(i));
    DrawItem(canvas, doc.mapItems[i], i);
  }
  canvas.SetRow({});
}

}  // namespace orbline
