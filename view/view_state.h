#pragma once

#include "document/display_mode.h"
#include "document/tables.h"

namespace orbline {

class ProfileStore;

// What the view shows; kept in the profile, section "mode".
struct ViewState {
  int displayMode = kModeRouteInfo;  // profile key "mode", 1..7
  int eria = 1;                      // the page, 1..12
  int grid = 1;                      // nonzero: the map displays draw their grid

  // Reads mode, eria and grid (default 1 each); a mode outside 1..7 or a page outside 1..12
  // becomes 1, the grid is kept as read.
  static ViewState Load(ProfileStore& profile);
  // Writes mode, eria and grid in that order, as held.
  void Save(ProfileStore& profile) const;

  // Shows page 1..12; false, changing nothing, for another number.
  bool SelectPage(int page) {
    if (page < 1 || page > kPageCount) return false;
    eria = page;
    return true;
  }
  // Any grid on turns off; off turns on.
  void ToggleGrid() { grid = grid == 0 ? 1 : 0; }

  bool IsMapMode() const { return orbline::IsMapMode(displayMode); }
};

}  // namespace orbline
