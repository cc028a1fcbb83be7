#pragma once

namespace orbline {

class ProfileStore;

// What the view shows; kept in the profile, section "mode".
struct ViewState {
  static constexpr int kModeRouteInfo = 1;
  static constexpr int kModeKinds = 2;
  static constexpr int kModeStations = 3;
  static constexpr int kModeBirdsEye = 4;
  static constexpr int kModeDiagram = 5;
  static constexpr int kModeRouteMap = 6;
  static constexpr int kModeTimetable = 7;
  static constexpr int kPageCount = 12;

  int displayMode = kModeRouteInfo;  // profile key "mode", 1..7
  int eria = 1;                      // the page, 1..12
  int grid = 1;                      // nonzero: the map displays draw their grid

  // Reads mode, eria and grid (default 1 each); a mode outside 1..7 or a page outside 1..12
  // becomes 1, the grid is kept as read.
  static ViewState Load(ProfileStore& profile);
  // Writes mode, eria and grid in that order, as held.
  void Save(ProfileStore& profile) const;

  bool IsMapMode() const { return displayMode >= kModeBirdsEye && displayMode <= kModeRouteMap; }
};

}  // namespace orbline
