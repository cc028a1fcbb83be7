#pragma once

// Capacities of the document's fixed tables and the positions of the fields in their rows.

namespace orbline {

inline constexpr int kRouteInfoCount = 5;
inline constexpr int kKindCapacity = 13;
inline constexpr int kKindTextCount = 2;
inline constexpr int kStationCapacity = 300;
inline constexpr int kStationValueCount = 12;
inline constexpr int kStationTextCount = 3;
inline constexpr int kMapItemCapacity = 2000;
inline constexpr int kMapValueCount = 12;
inline constexpr int kDayTypeCount = 3;
inline constexpr int kTrainCapacity = 3000;
inline constexpr int kTrainValueCount = 207;
inline constexpr int kTrainTextCount = 3;
inline constexpr int kTrainHeaderValueCount = 7;
inline constexpr int kCalcStationCapacity = 100;  // calc stations 1..100 of a timetable

// Value ranges the checks hold the tables to.
inline constexpr int kMaxCarType = 100;        // a train's car type is 1..100
inline constexpr int kMaxStationNumber = 300;  // station numbers and calc-station numbers are 0..300
inline constexpr int kMaxRatio = 99;           // a station's ratio is 0..99 percent

// `RouteInfo` texts.
namespace route {
inline constexpr int kRouteName = 0;
inline constexpr int kVersion = 1;
inline constexpr int kAuthor = 2;
inline constexpr int kEffectiveDate = 3;
inline constexpr int kRemarks = 4;
inline constexpr int kMaxRemarksLines = 20;  // further lines after the first remarks line
}  // namespace route

// `TrainKind` texts.
namespace kind {
inline constexpr int kText1 = 0;
inline constexpr int kText2 = 1;
}  // namespace kind

// `Station` numbers and texts.
namespace station {
inline constexpr int kCalcStationNo = 0;
inline constexpr int kLink1To = 1;
inline constexpr int kLink1To2 = 2;
inline constexpr int kLink1Value3 = 3;
inline constexpr int kLink1Value4 = 4;
inline constexpr int kLink2To = 5;
inline constexpr int kLink2To2 = 6;
inline constexpr int kLink2Value3 = 7;
inline constexpr int kLink2Value4 = 8;
inline constexpr int kValue9 = 9;
inline constexpr int kRatio = 10;
inline constexpr int kValue11 = 11;

inline constexpr int kLabel = 0;
inline constexpr int kName = 1;
inline constexpr int kNote = 2;
}  // namespace station

// `MapItem` numbers: `kind`, then `param1` … `param11` at index 1 … 11.
namespace map {
inline constexpr int kKind = 0;
inline constexpr int kPageCodeStep = 100;  // a page header is 100·display + page
inline constexpr int kDisplayCount = 3;    // bird's-eye view, diagram, route map
inline constexpr int kPageCount = 12;
}  // namespace map

// `TrainRecord` numbers and texts.
namespace train {
inline constexpr int kKind = 0;
inline constexpr int kCarType = 1;
inline constexpr int kValue2 = 2;
inline constexpr int kValue3 = 3;
inline constexpr int kValue4 = 4;
inline constexpr int kStationA = 5;
inline constexpr int kStationB = 6;
// The stop pair of calc station s (1..100).
constexpr int TimeIndex(int s) { return 5 + 2 * s; }
constexpr int StopInfoIndex(int s) { return 6 + 2 * s; }

inline constexpr int kText1 = 0;
inline constexpr int kText2 = 1;
inline constexpr int kText3 = 2;
}  // namespace train

// `DayType`.
inline constexpr int kWeekday = 0;
inline constexpr int kSaturday = 1;
inline constexpr int kSunday = 2;

}  // namespace orbline
