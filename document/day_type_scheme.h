#pragma once

#include "document/tables.h"

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

// Whether two day types are read from one timetable file under `weekkind` (the listing joins
// them); false for a scheme out of range.
constexpr bool ShareTimetable(int weekkind, int dayA, int dayB) {
  return TimetableFileFor(weekkind, dayA) != 0 && TimetableFileFor(weekkind, dayA) == TimetableFileFor(weekkind, dayB);
}

// Whether the compiled file has a section for `dayType`: one for each distinct timetable file, in
// the order weekday, Saturday, Sunday. The weekday's is always written, whatever the scheme.
constexpr bool DayTypeWritten(int weekkind, int dayType) {
  if (dayType == kWeekday) return true;
  if (TimetableFileFor(weekkind, dayType) == 0) return false;
  for (int earlier = 0; earlier < dayType; ++earlier)
    if (ShareTimetable(weekkind, earlier, dayType)) return false;
  return true;
}

}  // namespace orbline
