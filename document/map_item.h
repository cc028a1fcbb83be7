#pragma once

#include <array>
#include <cstdint>

#include "document/colour.h"
#include "document/rows.h"

namespace orbline {

// A map item: one line of map.txt, its kind, eleven parameters whose meaning depends on the kind,
// and a text (a page's title, a label's text). The small views below name the parameters of each
// kind that draws something; the drawing and the checks read items through them.
struct MapItem {
  // The kinds that draw something; any other kind from 1 to 100 draws nothing, and a kind above
  // 100 is a page header (100·display + page).
  enum Kind : uint16_t {
    kStationLinkA = 11,
    kStationBar = 21,
    kStationLinkB = 31,
    kLine = 42,
    kLabel = 44,
    kFilledRect = 45,
    kCyanRect = 46,
    kFilledEllipse = 47,
    kEllipseOutline = 48,
  };
  static constexpr int kValueCount = 12;     // the kind, then param1 … param11
  static constexpr int kPageCodeStep = 100;  // a page header is 100·display + page
  static constexpr int kDisplayCount = 3;    // bird's-eye view, diagram, route map

  std::array<uint16_t, kValueCount> values{};
  Text text;
  int line = 0;  // 1-based line of map.txt; 0 for a row not read

  uint16_t kind() const { return values[0]; }
  // param1 … param11.
  uint16_t param(int n) const { return values[n]; }

  // The table ends at the first item of kind 0, and so does a page; the next header ends it too.
  bool EndsTable() const { return kind() == 0; }
  bool IsPageHeader() const { return kind() > kPageCodeStep; }
  bool EndsPage() const { return EndsTable() || IsPageHeader(); }
  // Station links and bars name two calc stations, param1 and param2, which must be 1..100.
  bool NamesCalcStations() const { return kind() == kStationLinkA || kind() == kStationBar || kind() == kStationLinkB; }
  struct CalcStations {
    int from, to;
  };
  CalcStations calcStations() const { return {param(1), param(2)}; }
  // The first of the three parameters, red, green and blue, that give the item's colour; 0 for a
  // kind drawn in no colour of its own. Only the low 8 bits of each count.
  int ColourParam() const;
  // The colour an item is drawn in: from its colour parameters, cyan for a cyan rectangle, black for
  // a kind without a colour of its own.
  Colour colour() const;

  void Reset() {
    values.fill(0);
    Release(text);
    line = 0;
  }

  // The views, in logical units of the 1000 × 750 page.
  struct Point {
    int x, y;
  };
  struct PageHeader {  // kind 100·display + page
    int display, page;
    Colour background;
  };
  struct Link {  // kinds 11 and 31
    CalcStations stations;
    Point a, b;
    Colour colour;
  };
  struct Bar {  // kind 21
    CalcStations stations;
    int top, bottom;
  };
  struct Line {  // kind 42
    Point a, b;
    Colour colour;
    int width;  // 0 in the file is 1
  };
  struct Label {  // kind 44
    Point at;
    Colour colour;
    int height;  // of the character cell; 0 in the file is 40
    bool vertical, italic, underline;
  };
  struct Rect {  // kinds 45 and 46: the top left corner and the size
    int x, y, width, height;
    Colour colour;
  };
  struct Ellipse {  // kinds 47 and 48: the box
    int left, top, right, bottom;
    Colour colour;
    int penWidth;  // of an outline (48); 0 is the thinnest pen
  };

  PageHeader AsPageHeader() const { return {kind() / kPageCodeStep, kind() % kPageCodeStep, colour()}; }
  Link AsLink() const { return {calcStations(), {param(4), param(5)}, {param(6), param(7)}, colour()}; }
  Bar AsBar() const { return {calcStations(), param(3), param(4)}; }
  Line AsLine() const { return {{param(1), param(2)}, {param(3), param(4)}, colour(), param(8) == 0 ? 1 : param(8)}; }
  Label AsLabel() const;
  Rect AsRect() const { return {param(1), param(2), param(3), param(4), colour()}; }
  Ellipse AsEllipse() const {
    return {param(1), param(2), param(3), param(4), colour(), kind() == kEllipseOutline ? param(8) : 0};
  }
};

}  // namespace orbline
