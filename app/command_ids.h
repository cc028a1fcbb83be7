#pragma once

#include "document/tables.h"

namespace orbline {

// The command ids of the window. Map pages 4 to 8 are not in page order: every table keys
// them by id.
enum CommandId : int {
  ID_FILE_PRINT_SETUP = 57606,
  ID_FILE_PRINT = 57607,
  ID_FILE_PRINT_DIRECT = 57608,
  ID_FILE_PRINT_PREVIEW = 57609,
  ID_APP_ABOUT = 57664,
  ID_APP_EXIT = 57665,
  ID_VIEW_TOOLBAR = 59392,
  ID_VIEW_STATUS_BAR = 59393,
  ID_FILE_COMPILE = 32771,
  ID_TEST_INFO = 32772,
  ID_TEST_KIND = 32773,
  ID_TEST_EKI = 32774,
  ID_VIEW_MAP1 = 32778,
  ID_VIEW_MAP2 = 32779,
  ID_VIEW_MAP3 = 32780,
  ID_VIEW_MAP5 = 32781,
  ID_VIEW_MAP6 = 32782,
  ID_VIEW_MAP7 = 32783,
  ID_VIEW_MAP8 = 32784,
  ID_VIEW_MAP4 = 32785,
  ID_TEST_TIMETABLE = 32788,
  ID_TEST_BIRDSEYE = 32790,
  ID_TEST_DIAGRAM = 32791,
  ID_TEST_ROUTEMAP = 32793,
  ID_VIEW_GRID = 32794,
  ID_FILE_SETTINGS = 32795,
  ID_VIEW_MAP9 = 32797,
  ID_VIEW_MAP10 = 32798,
  ID_VIEW_MAP11 = 32799,
  ID_VIEW_MAP12 = 32800,
  // The live authoring commands, after every id of the original template.
  ID_VIEW_PROBLEMS = 32801,
  ID_VIEW_AUTO_RELOAD = 32802,
  ID_FILE_EDITOR = 32803,
};

// ID_VIEW_MAP1 … ID_VIEW_MAP12 in page order.
inline constexpr int kMapPageIds[kPageCount] = {ID_VIEW_MAP1, ID_VIEW_MAP2,  ID_VIEW_MAP3,  ID_VIEW_MAP4,
                                                ID_VIEW_MAP5, ID_VIEW_MAP6,  ID_VIEW_MAP7,  ID_VIEW_MAP8,
                                                ID_VIEW_MAP9, ID_VIEW_MAP10, ID_VIEW_MAP11, ID_VIEW_MAP12};

// The page (1..12) of a map page id, or 0.
constexpr int MapPageOf(int id) {
  for (int p = 0; p < kPageCount; ++p)
    if (kMapPageIds[p] == id) return p + 1;
  return 0;
}

}  // namespace orbline
