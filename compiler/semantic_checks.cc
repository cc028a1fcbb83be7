#include "compiler/semantic_checks.h"

#include <array>
#include <map>
#include <vector>

#include "document/document.h"
#include "document/error_code.h"
#include "document/map_kinds.h"
#include "document/source_files.h"

namespace orbline {
namespace {

constexpr int kHalfDay = 12 * 60 * 10;  // in tenths of a minute
constexpr int kMaxColour = 255;

class Checker {
 public:
  Checker(const Document& doc, FindingSink& findings) : doc_(doc), findings_(findings) {}

  void Warn(int code, int a, int b, std::string_view file, int line) {
    findings_.Report(MakeFinding(code, a, b, file, line));
  }

  // The calc stations that stations of eki.txt have, and the neighbours their links name.
  void LearnStations() {
    for (int i = 0, n = doc_.StationRows(); i < n; ++i) {
      const auto& v = doc_.stationValues[i];
      const int no = v[station::kCalcStationNo];
      if (no > kCalcStationCapacity) continue;
      defined_[no] = true;
      for (int link : {station::kLink1To, station::kLink2To})
        if (v[link] != 0 && v[link] <= kCalcStationCapacity) neighbours_[no].push_back(v[link]);
    }
  }
  bool Defined(int calcStation) const { return defined_[calcStation]; }

  // Two columns follow each other on the line unless both stations name neighbours and neither
  // names the other: a branch joins the header's columns where the track does not.
  bool Adjacent(int a, int b) const {
    auto names = [&](int from, int to) {
      for (int n : neighbours_[from])
        if (n == to) return true;
      return false;
    };
    return neighbours_[a].empty() || neighbours_[b].empty() || names(a, b) || names(b, a);
  }

  void StationLinks() {
    for (int i = 0, n = doc_.StationRows(); i < n; ++i) {
      const auto& v = doc_.stationValues[i];
      int last = -1;
      for (int link : {station::kLink1To, station::kLink1To2, station::kLink2To, station::kLink2To2}) {
        const int to = v[link];
        // 0 names none; above 100 is an error of its own.
        if (to == 0 || to > kCalcStationCapacity || Defined(to) || to == last) continue;
        Warn(kWarnEkiStationUndefined, to, 0, kEkiFile, doc_.StationLine(i));
        last = to;
      }
    }
  }

  // The rows map.txt gave, empty ones included.
  int MapRows() const {
    int n = 0;
    for (int i = 0; i < kMapItemCapacity; ++i)
      if (doc_.mapLines[i] != 0 || doc_.mapValues[i][map::kKind] != 0) n = i + 1;
    return n;
  }

  void MapStations(bool stationsKnown) {
    for (int i = 0, n = MapRows(); i < n; ++i) {
      const auto& v = doc_.mapValues[i];
      if (!stationsKnown || !map::NamesCalcStations(v[map::kKind])) continue;
      for (int param : {1, 2})
        if (v[param] >= 1 && v[param] <= kCalcStationCapacity && !Defined(v[param]) && !(param == 2 && v[2] == v[1]))
          Warn(kWarnMapStationUndefined, v[param], 0, kMapFile, doc_.MapLine(i));
    }
  }

  void MapColours() {
    for (int i = 0, n = MapRows(); i < n; ++i) {
      const auto& v = doc_.mapValues[i];
      int first = 0;  // of the three parameters red, green, blue
      switch (v[map::kKind]) {
        case map::kStationLinkA:
        case map::kStationLinkB: first = 8; break;
        case map::kLine:
        case map::kFilledRect:
        case map::kFilledEllipse:
        case map::kEllipseOutline: first = 5; break;
        case map::kLabel: first = 3; break;
        default: first = v[map::kKind] > map::kPageCodeStep ? 1 : 0; break;
      }
      if (first == 0) continue;
      for (int k = first; k < first + 3; ++k)
        if (v[k] > kMaxColour) {
          Warn(kWarnColour, v[k], v[k] & kMaxColour, kMapFile, doc_.MapLine(i));
          break;
        }
    }
  }

  void MapPages() {
    const int n = MapRows();
    // The first empty item ends the table for the compiled file; a page after it is drawn but
    // never compiled.
    for (int e = 0; e < n; ++e) {
      if (doc_.mapValues[e][map::kKind] != 0) continue;
      for (int h = e + 1; h < n; ++h)
        if (doc_.mapValues[h][map::kKind] > map::kPageCodeStep) {
          Warn(kWarnMapTableEnds, doc_.MapLine(h), 0, kMapFile, doc_.MapLine(e));
          break;
        }
      break;
    }
    std::map<int, int> firstOfCode;
    bool inPage = false;
    int runStart = -1, runLength = 0;
    auto endRun = [&] {
      if (runLength > 0) Warn(kWarnMapItemsWithoutPage, runLength, 0, kMapFile, doc_.MapLine(runStart));
      runStart = -1;
      runLength = 0;
    };
    for (int i = 0; i < n; ++i) {
      const int kind = doc_.mapValues[i][map::kKind];
      if (kind == 0) {
        inPage = false;  // a page ends at the first empty item
        endRun();
      } else if (kind > map::kPageCodeStep) {
        inPage = true;
        endRun();
        const int display = kind / map::kPageCodeStep, page = kind % map::kPageCodeStep;
        if (display < 1 || display > map::kDisplayCount || page < 1 || page > map::kPageCount) {
          Warn(kWarnMapHeaderOutOfRange, kind, 0, kMapFile, doc_.MapLine(i));
        } else if (auto [at, fresh] = firstOfCode.emplace(kind, i); !fresh) {
          Warn(kWarnMapPageTwice, kind, doc_.MapLine(at->second), kMapFile, doc_.MapLine(i));
        }
      } else if (!inPage) {
        if (runLength++ == 0) runStart = i;
      }
    }
    endRun();
  }

  // A kind is a row up to the first empty one: the compiled file ends its kinds there.
  void KindTable() {
    int empty = 0;
    while (empty < kKindCapacity && !KindEmpty(empty)) ++empty;
    for (int r = empty + 1; r < kKindCapacity; ++r)
      if (!KindEmpty(r)) {
        Warn(kWarnKindTableEnds, empty + 2, 0, kKindFile, empty + 1);
        return;
      }
  }
  bool KindEmpty(int row) const {
    return doc_.kindTexts[row][kind::kText1].empty() && doc_.kindTexts[row][kind::kText2].empty();
  }

  // Each timetable file once, though it may feed several day types.
  template <typename F>
  void EachTimetable(F&& f) {
    std::array<bool, kTimetableFileCount + 1> seen{};
    for (int day = 0; day < kDayTypeCount; ++day) {
      const int file = doc_.dayTypeFile[day];
      if (file < 1 || file > kTimetableFileCount || seen[file]) continue;
      seen[file] = true;
      f(day, TimetableFileName(file));
    }
  }

  void HeaderStations() {
    EachTimetable([&](int day, const std::string& file) {
      const auto& header = doc_.timetableHeaders[day];
      std::array<bool, kCalcStationCapacity + 1> warned{};
      for (int c : header.columns)
        if (!Defined(c) && !warned[c]) {
          warned[c] = true;
          Warn(kWarnHeaderStationUndefined, c, 0, file, header.line);
        }
    });
  }

  // Kinds whose own row of kind.txt is empty: once per kind and file, at its first train.
  void TrainKinds() {
    EachTimetable([&](int day, const std::string& file) {
      std::array<int, kKindCapacity + 1> count{}, firstLine{};
      for (int i = 0; i < kTrainCapacity; ++i) {
        const int kind = doc_.trainValues[day][i][train::kKind];
        if (kind == 0) break;
        if (kind > kKindCapacity || !KindEmpty(kind - 1)) continue;
        if (count[kind]++ == 0) firstLine[kind] = doc_.trainLines[day][i];
      }
      for (int k = 1; k <= kKindCapacity; ++k)
        if (count[k] > 0) Warn(kWarnKindUndefined, k, count[k], file, firstLine[k]);
    });
  }

  // Along each train's stops in column order the times keep rising or keep falling, over midnight
  // once at most; stops without a time are passed over, and so is a change of direction where the
  // columns leave the track (from a main line to its branch).
  void TrainTimes() {
    EachTimetable([&](int day, const std::string& file) {
      // The stops in column order, each marked where the columns leave the track.
      std::vector<Stop> stops;
      int before = 0;
      for (int c : doc_.timetableHeaders[day].columns) {
        stops.push_back({c, before != 0 && !Adjacent(before, c)});
        before = c;
      }
      for (int i = 0; i < kTrainCapacity; ++i) {
        const auto& v = doc_.trainValues[day][i];
        if (v[train::kKind] == 0) break;
        if (const int at = TurningStation(v, stops)) Warn(kWarnTimesTurn, at, 0, file, doc_.trainLines[day][i]);
      }
    });
  }

  struct Stop {
    int calcStation;
    bool offTrack;  // no track joins it to the column before
  };
  // The calc station at which a train's times have gone both ways, or 0.
  static int TurningStation(const std::array<uint16_t, kTrainValueCount>& v, const std::vector<Stop>& stops);

  // Stops above the width the compiled file gives every train (the highest calc station of the
  // timetable read last) are left out of it.
  void CutStops() {
    EachTimetable([&](int day, const std::string& file) {
      // Each timetable file is written once, as the section of the first day type it feeds.
      const auto& header = doc_.timetableHeaders[day];
      if (header.maxCalcStation > doc_.maxCalcStation)
        Warn(kWarnStopsCut, header.maxCalcStation, doc_.maxCalcStation, file, header.line);
    });
  }

 private:
  const Document& doc_;
  FindingSink& findings_;
  std::array<bool, kCalcStationCapacity + 1> defined_{};
  std::array<std::vector<int>, kCalcStationCapacity + 1> neighbours_;
};

int Checker::TurningStation(const std::array<uint16_t, kTrainValueCount>& v, const std::vector<Stop>& stops) {
  // Each way may go wrong once by half a day or more: that is midnight.
  bool risingWrapped = false, risingBroken = false, fallingWrapped = false, fallingBroken = false;
  int previous = 0;
  bool offTrack = false;
  for (const Stop& stop : stops) {
    offTrack = offTrack || stop.offTrack;
    const int time = v[train::TimeIndex(stop.calcStation)];
    if (time == 0) continue;
    const int step = time - previous;
    if (offTrack || previous == 0) {
      risingWrapped = risingBroken = fallingWrapped = fallingBroken = false;
    } else if (step < 0) {
      (-step >= kHalfDay && !risingWrapped ? risingWrapped : risingBroken) = true;
    } else if (step > 0) {
      (step >= kHalfDay && !fallingWrapped ? fallingWrapped : fallingBroken) = true;
    }
    if (risingBroken && fallingBroken) return stop.calcStation;
    previous = time;
    offTrack = false;
  }
  return 0;
}

}  // namespace

void CheckSemantics(const Document& doc, FindingSink& findings, const std::set<std::string, std::less<>>& filesWithErrors) {
  Checker check(doc, findings);
  auto sound = [&](std::string_view file) { return filesWithErrors.find(file) == filesWithErrors.end(); };
  const bool stationsKnown = sound(kEkiFile);
  if (stationsKnown) {
    check.LearnStations();
    check.StationLinks();
  }
  check.MapStations(stationsKnown);
  check.MapColours();
  check.MapPages();
  if (sound(kKindFile)) {
    check.KindTable();
    check.TrainKinds();
  }
  if (stationsKnown) {
    check.HeaderStations();
    check.TrainTimes();
  }
  bool timetablesSound = true;
  for (int f = 1; f <= kTimetableFileCount; ++f) timetablesSound = timetablesSound && sound(TimetableFileName(f));
  if (timetablesSound) check.CutStops();
}

}  // namespace orbline
