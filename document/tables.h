#pragma once

// The capacities of the document's fixed tables and the ranges the checks hold them to. What a row
// of each table holds is said by its row type (document/rows.h, document/map_item.h).

namespace orbline {

inline constexpr int kRouteInfoCount = 5;
inline constexpr int kKindCapacity = 13;
inline constexpr int kStationCapacity = 300;
inline constexpr int kMapItemCapacity = 2000;
inline constexpr int kDayTypeCount = 3;
inline constexpr int kTrainCapacity = 3000;
inline constexpr int kCalcStationCapacity = 100;  // calc stations 1..100 of a timetable

// The pages of each map display, of the station listing and of the timetable listing: 1..12.
inline constexpr int kPageCount = 12;

// Value ranges the checks hold the tables to.
inline constexpr int kMaxCarType = 100;        // a train's car type is 1..100
inline constexpr int kMaxStationNumber = 300;  // station numbers and calc-station numbers are 0..300
inline constexpr int kMaxRatio = 99;           // a station's ratio is 0..99 percent

// `DayType`.
inline constexpr int kWeekday = 0;
inline constexpr int kSaturday = 1;
inline constexpr int kSunday = 2;

}  // namespace orbline
