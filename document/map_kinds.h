#pragma once

#include <cstdint>

namespace orbline::map {

// The kinds of map item that draw something; any other kind from 1 to 100 draws nothing, and a
// kind above 100 is a page header (100·display + page).
enum Kind : int {
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

// Station links and bars name two calc stations (param1, param2).
constexpr bool NamesCalcStations(uint16_t kind) {
  return kind == kStationLinkA || kind == kStationBar || kind == kStationLinkB;
}

}  // namespace orbline::map
