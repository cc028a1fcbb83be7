#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "document/colour.h"
#include "document/tables.h"

// One row of each of the document's tables, with its values, its texts and the line of its source
// file it came from. Each row type says once where its table ends. The compiled file's model
// reuses the kind, station and map-item rows (document/map_item.h has the map item).

namespace orbline {

// A source text: Shift_JIS bytes exactly as read; empty means no value.
using Text = std::string;

// Empties a text and gives back its storage, so that a long text read once does not hold its
// memory until the program ends.
inline void Release(Text& t) { Text().swap(t); }

// info.txt: the route's five texts.
struct RouteInfo {
  enum Field { kRouteName, kVersion, kAuthor, kEffectiveDate, kRemarks };
  // Lines of info.txt after the first remarks line that are joined to it, each after a CR LF.
  static constexpr int kMaxRemarksLines = 20;

  std::array<Text, kRouteInfoCount> texts;

  void Reset() {
    for (Text& t : texts) Release(t);
  }
};

// A train kind: one line of kind.txt. A train's kind is the 1-based row of its kind.
struct Kind {
  Colour colour = 0;
  std::array<Text, 2> texts;  // text1, text2
  int line = 0;               // 1-based line of kind.txt; 0 for a row not read

  // The table ends at the first kind with both texts empty.
  bool EndsTable() const { return texts[0].empty() && texts[1].empty(); }
  void Reset() {
    colour = 0;
    for (Text& t : texts) Release(t);
    line = 0;
  }
};

// A station: one line of eki.txt.
struct Station {
  enum Value {
    kCalcStationNo,
    kLink1To,
    kLink1To2,
    kLink1Value3,
    kLink1Value4,
    kLink2To,
    kLink2To2,
    kLink2Value3,
    kLink2Value4,
    kValue9,
    kRatio,
    kValue11,
    kValueCount
  };
  // One of the two link groups: a To station (a calc station, 0 for none), the To2 given for it,
  // and two values no check looks at.
  struct Link {
    uint16_t to, to2, value3, value4;
  };
  static constexpr int kLinkGroups = 2;

  std::array<uint16_t, kValueCount> values{};
  Text label, name, note;
  int line = 0;  // 1-based line of eki.txt; 0 for a row not read

  uint16_t calcStationNo() const { return values[kCalcStationNo]; }
  uint16_t ratio() const { return values[kRatio]; }
  // Link group 1 or 2.
  Link link(int group) const {
    const int first = group == 1 ? kLink1To : kLink2To;
    return {values[first], values[first + 1], values[first + 2], values[first + 3]};
  }
  // The table ends at the first station without a name.
  bool EndsTable() const { return name.empty(); }
  void Reset() {
    values.fill(0);
    Release(label);
    Release(name);
    Release(note);
    line = 0;
  }
};

// A train: one line of a timetable file.
struct Train {
  enum Value { kKind, kCarType, kValue2, kValue3, kValue4, kStationA, kStationB, kHeaderValueCount };
  // The header values and a time and stop word for each calc station 1..100.
  static constexpr int kValueCount = kHeaderValueCount + 2 * kCalcStationCapacity;
  // Where the time and the stop word of calc station s (1..100) are.
  static constexpr int TimeIndex(int s) { return 5 + 2 * s; }
  static constexpr int StopIndex(int s) { return 6 + 2 * s; }

  // What is wrong with a train, checked in this order: its kind outside 1..13, its car type
  // outside 1..100, a station number above 300.
  enum class Fault { kNone, kKind, kCarType, kStation };

  std::array<uint16_t, kValueCount> values{};
  std::array<Text, 3> texts;  // text1, text2, text3
  int line = 0;               // 1-based line of its timetable file; 0 for a row not read

  uint16_t kind() const { return values[kKind]; }
  uint16_t carType() const { return values[kCarType]; }
  // Tenths of a minute after 0:00 at calc station s; 0 where the timetable has no column for it.
  uint16_t time(int s) const { return values[TimeIndex(s)]; }
  // (B × 2 + T) × 512 + the wait in tenths of a minute, at calc station s.
  uint16_t stop(int s) const { return values[StopIndex(s)]; }

  Fault CheckValues() const {
    if (kind() < 1 || kind() > kKindCapacity) return Fault::kKind;
    if (carType() < 1 || carType() > kMaxCarType) return Fault::kCarType;
    if (values[kStationA] > kMaxStationNumber || values[kStationB] > kMaxStationNumber) return Fault::kStation;
    return Fault::kNone;
  }
  // The table of a day type ends at the first train of kind 0.
  bool EndsTable() const { return kind() == 0; }
  void Reset() {
    values.fill(0);
    for (Text& t : texts) Release(t);
    line = 0;
  }
};

// The rows of a table before the first that ends it: all of them when none does.
template <typename Table>
int RowsBeforeEnd(const Table& table) {
  const auto end = std::find_if(table.begin(), table.end(), [](const auto& row) { return row.EndsTable(); });
  return static_cast<int>(end - table.begin());
}

// The rows the compiled file holds: up to and including the first that ends the table; all of them
// when none does (a full table has no terminator).
template <typename Table>
int RowsWritten(const Table& table) {
  return std::min(RowsBeforeEnd(table) + 1, static_cast<int>(table.size()));
}

// The source line of a row; a table filled without a reader counts its rows from 1.
template <typename Row>
int SourceLine(const Row& row, int index) {
  return row.line != 0 ? row.line : index + 1;
}

}  // namespace orbline
