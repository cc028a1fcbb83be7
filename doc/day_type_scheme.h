#pragma once

#include "doc/tables.h"

namespace orbline {

inline constexpr int kWeekkindCount = 4;

// The timetable file ("data%d.txt") that feeds `dayType` under the day-type scheme `weekkind`:
//   0 weekday / weekend:                 1, 2, 2
//   1 one timetable for all days:        1, 1, 1
//   2 weekday / Saturday / Sunday:       1, 2, 3
//   3 weekday and Saturday / Sunday:     1, 1, 2
// 0 for a scheme or day type out of range.
constexpr int TimetableFileFor(int weekkind, int dayType) {
  constexpr int kFiles[kWeekkindCount][kDayTypeCount] = {{1, 2, 2}, {1, 1, 1}, {1, 2, 3}, {1, 1, 2}};
  if (weekkind < 0 || weekkind >= kWeekkindCount || dayType < 0 || dayType >= kDayTypeCount) return 0;
  return kFiles[weekkind][dayType];
}

}  // namespace orbline
