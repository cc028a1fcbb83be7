#pragma once

namespace orbline {

class Canvas;
class Document;

// One page of the bird's-eye view (display 1), the diagram (2) or the route map (3): the page
// header's background, the grid when `grid` is not 0, then the page's items in table order.
void DrawMap(Canvas& canvas, const Document& doc, int display, int page, int grid);

}  // namespace orbline
