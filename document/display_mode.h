#pragma once

#include <string>
#include <vector>

namespace orbline {

// The seven test displays: three listings, the three drawings of map.txt and the timetables.
enum DisplayMode : int {
  kModeRouteInfo = 1,
  kModeKinds = 2,
  kModeStations = 3,
  kModeBirdsEye = 4,
  kModeDiagram = 5,
  kModeRouteMap = 6,
  kModeTimetable = 7,
};
inline constexpr int kFirstMode = kModeRouteInfo;
inline constexpr int kLastMode = kModeTimetable;

constexpr bool IsMapMode(int mode) { return mode >= kModeBirdsEye && mode <= kModeRouteMap; }
// The map display (1 bird's-eye view, 2 diagram, 3 route map) of a map mode.
constexpr int MapDisplayOf(int mode) { return mode - kModeBirdsEye + 1; }

// The source files that the test command of display `mode` reads, under day-type scheme
// `weekkind`: the scheme's timetable files for the timetable listing, none for a mode or scheme
// out of range.
std::vector<std::string> SourceFilesOf(int mode, int weekkind);

}  // namespace orbline
