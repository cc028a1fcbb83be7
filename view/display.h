#pragma once

#include <optional>
#include <string>

namespace orbline {

class Canvas;
class Document;
struct ViewState;

// Draws the current display on the 1000 × 750 page and returns the text for status pane 1
// (Shift_JIS): empty in modes 1–3, the page title in modes 4–6, the highest calc-station number in
// mode 7.
std::string DrawDisplay(Canvas& canvas, const Document& doc, const ViewState& state);

// A client point in logical units: x × 1000 ÷ width, y × 750 ÷ height, truncated.
struct LogicalPoint {
  int x, y;
};
LogicalPoint ToLogical(int x, int y, int clientWidth, int clientHeight);

// The text of the coordinate box for a click at a client point in modes 4–6,
// "(x,y)=(lx,ly)≒(rx,ry)" with the point rounded to tens (halves up); nothing in other modes.
std::optional<std::string> CoordinateMessage(const ViewState& state, int x, int y, int clientWidth, int clientHeight);

}  // namespace orbline
