#include "view/display.h"

#include "document/document.h"
#include "view/canvas.h"
#include "view/map_drawing.h"
#include "view/text_listings.h"
#include "view/timetable_listing.h"
#include "view/view_state.h"
#include "view/view_texts.h"

namespace orbline {

std::string DrawDisplay(Canvas& canvas, const Document& doc, const ViewState& state) {
  switch (state.displayMode) {
    case kModeRouteInfo: DrawRouteInfo(canvas, doc); return {};
    case kModeKinds: DrawKinds(canvas, doc); return {};
    case kModeStations: DrawStations(canvas, doc, state.eria); return {};
    case kModeBirdsEye:
    case kModeDiagram:
    case kModeRouteMap:
      DrawMap(canvas, doc, MapDisplayOf(state.displayMode), state.eria, state.grid);
      return doc.MapStatusText(state.displayMode, state.eria);
    case kModeTimetable:
      DrawTimetable(canvas, doc, state.eria);
      return FormatSjis(kTextMaxCalcStation, doc.maxCalcStation);
    default: return {};
  }
}

LogicalPoint ToLogical(int x, int y, int clientWidth, int clientHeight) {
  if (clientWidth <= 0 || clientHeight <= 0) return {0, 0};
  return {static_cast<int>(static_cast<long long>(x) * Canvas::kPageWidth / clientWidth),
          static_cast<int>(static_cast<long long>(y) * Canvas::kPageHeight / clientHeight)};
}

std::optional<std::string> CoordinateMessage(const ViewState& state, int x, int y, int clientWidth, int clientHeight) {
  if (!state.IsMapMode()) return std::nullopt;
  const LogicalPoint p = ToLogical(x, y, clientWidth, clientHeight);
  return FormatSjis(kTextCoordinates, p.x, p.y, (p.x + 5) / 10 * 10, (p.y + 5) / 10 * 10);
}

}  // namespace orbline
