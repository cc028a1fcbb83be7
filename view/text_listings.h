#pragma once

namespace orbline {

class Canvas;
class Document;

// The listings of display modes 1, 2 and 3, in logical units of the 1000 × 750 page.
// Route information: five labelled lines at x 100, y 100 … 500.
void DrawRouteInfo(Canvas& canvas, const Document& doc);
// Train kinds: a colour swatch and "n　text1　text2" per row, up to the first row with both texts
// empty.
void DrawKinds(Canvas& canvas, const Document& doc);
// Stations 15 × (page − 1) … 15 × page − 1, up to the first without a name.
void DrawStations(Canvas& canvas, const Document& doc, int page);

}  // namespace orbline
