#include "compiler/semantic_checks.h"

#include <array>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "document/document.h"
#include "document/error_code.h"
#include "document/source_file_names.h"

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
    for (int i = 0, n = RowsBeforeEnd(doc_.stations); i < n; ++i) {
      const Station& s = doc_.stations[i];
      const int no = s.calcStationNo();
      if (no > kCalcStationCapacity) continue;
      defined_[no] = true;
      for (int g = 1; g <= Station::kLinkGroups; ++g)
        if (const int to = s.link(g).to; to != 0 && to <= kCalcStationCapacity) neighbours_[no].push_back(to);
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
    for (int i = 0, n = RowsBeforeEnd(doc_.stations); i < n; ++i) {
      const Station& s = doc_.stations[i];
      int last = -1;
      for (int g = 1; g <= Station::kLinkGroups; ++g) {
        // A group whose To is 0 is not used, whatever its To2 says.
        if (s.link(g).to == 0) continue;
        for (const int to : {s.link(g).to, s.link(g).to2}) {
          // 0 names none; above 100 is an error of its own.
          if (to == 0 || to > kCalcStationCapacity || Defined(to) || to == last) continue;
          Warn(kWarnEkiStationUndefined, to, 0, kEkiFile, SourceLine(s, i));
          last = to;
        }
      }
    }
  }

  // The rows map.txt gave, empty ones included.
  int MapRows() const {
    int n = 0;
    for (int i = 0; i < kMapItemCapacity; ++i)
      if (doc_.mapItems[i].line != 0 || !doc_.mapItems[i].EndsTable()) n = i + 1;
    return n;
  }

  void MapStations(bool stationsKnown) {
    for (int i = 0, n = MapRows(); i < n; ++i) {
      const MapItem& item = doc_.mapItems[i];
      if (!stationsKnown || !item.NamesCalcStations()) continue;
      auto undefined = [&](int no) {
        if (no >= 1 && no <= kCalcStationCapacity && !Defined(no))
          Warn(kWarnMapStationUndefined, no, 0, kMapFile, SourceLine(item, i));
      };
      const MapItem::CalcStations named = item.calcStations();
      undefined(named.from);
      if (named.to != named.from) undefined(named.to);
    }
  }

  void MapColours() {
    for (int i = 0, n = MapRows(); i < n; ++i) {
      const MapItem& item = doc_.mapItems[i];
      const int first = item.ColourParam();
      if (first == 0) continue;
      for (int k = first; k < first + 3; ++k)
        if (item.param(k) > kMaxColour) {
          Warn(kWarnColour, item.param(k), item.param(k) & kMaxColour, kMapFile, SourceLine(item, i));
          break;
        }
    }
  }

  // The first empty item ends the table for the compiled file; a page after it is drawn but
  // never compiled.
  void MapTableEnds() {
    const int n = MapRows();
    const int e = RowsBeforeEnd(doc_.mapItems);
    for (int h = e + 1; h < n; ++h)
      if (doc_.mapItems[h].IsPageHeader()) {
        Warn(kWarnMapTableEnds, MapLine(h), 0, kMapFile, MapLine(e));
        return;
      }
  }

  // Headers out of range or given twice, and runs of items that no page header opens.
  void MapPages() {
    std::map<int, int> firstOfCode;
    bool inPage = false;
    int runStart = -1, runLength = 0;
    auto endRun = [&] {
      if (runLength > 0) Warn(kWarnMapItemsWithoutPage, runLength, 0, kMapFile, MapLine(runStart));
      runStart = -1;
      runLength = 0;
    };
    for (int i = 0, n = MapRows(); i < n; ++i) {
      const MapItem& item = doc_.mapItems[i];
      if (item.EndsTable()) {
        inPage = false;  // a page ends at the first empty item
        endRun();
      } else if (item.IsPageHeader()) {
        inPage = true;
        endRun();
        const MapItem::PageHeader header = item.AsPageHeader();
        if (header.display < 1 || header.display > MapItem::kDisplayCount || header.page < 1 ||
            header.page > kPageCount) {
          Warn(kWarnMapHeaderOutOfRange, item.kind(), 0, kMapFile, MapLine(i));
        } else if (auto [at, fresh] = firstOfCode.emplace(item.kind(), i); !fresh) {
          Warn(kWarnMapPageTwice, item.kind(), MapLine(at->second), kMapFile, MapLine(i));
        }
      } else if (!inPage) {
        if (runLength++ == 0) runStart = i;
      }
    }
    endRun();
  }
  int MapLine(int i) const { return SourceLine(doc_.mapItems[i], i); }

  // A kind is a row up to the first empty one: the compiled file ends its kinds there.
  void KindTable() {
    const int empty = RowsBeforeEnd(doc_.kinds);
    for (int r = empty + 1; r < kKindCapacity; ++r)
      if (!doc_.kinds[r].EndsTable()) {
        Warn(kWarnKindTableEnds, empty + 2, 0, kKindFile, empty + 1);
        return;
      }
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
      for (int i = 0, n = RowsBeforeEnd(doc_.trains[day]); i < n; ++i) {
        const Train& train = doc_.trains[day][i];
        const int kind = train.kind();
        if (kind > kKindCapacity || !doc_.kinds[kind - 1].EndsTable()) continue;
        if (count[kind]++ == 0) firstLine[kind] = train.line;
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
      for (int i = 0, n = RowsBeforeEnd(doc_.trains[day]); i < n; ++i) {
        const Train& train = doc_.trains[day][i];
        if (const auto step = BackwardsStep(train, stops)) Warn(kWarnTimesTurn, step->from, step->to, file, train.line);
      }
    });
  }

  struct Stop {
    int calcStation;
    bool offTrack;  // no track joins it to the column before
  };
  // Two stops, by calc station, between which a train's time runs against its direction.
  struct Backwards {
    int from, to;
  };
  // Where a train's times have gone both ways within a stretch of track: the first step against
  // the way most of its steps go.
  static std::optional<Backwards> BackwardsStep(const Train& train, const std::vector<Stop>& stops);

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

std::optional<Checker::Backwards> Checker::BackwardsStep(const Train& train, const std::vector<Stop>& stops) {
  // One stretch of track: each way may go wrong once by half a day or more, which is midnight;
  // the other steps are counted each way, and the first of each kept.
  struct Run {
    bool risingWrapped = false, fallingWrapped = false;
    int up = 0, down = 0;
    Backwards firstUp{}, firstDown{};
    int firstUpAt = 0, firstDownAt = 0;  // the steps' places in column order, from 1
    bool Turned() const { return up > 0 && down > 0; }
    // The first step against the way most steps go; on a tie, the later of the two.
    Backwards Against() const {
      if (up != down) return up < down ? firstUp : firstDown;
      return firstUpAt > firstDownAt ? firstUp : firstDown;
    }
  };
  Run run;
  int previous = 0, previousStation = 0, at = 0;
  bool offTrack = false;
  for (const Stop& stop : stops) {
    offTrack = offTrack || stop.offTrack;
    const int time = train.time(stop.calcStation);
    if (time == 0) continue;
    const int step = time - previous;
    ++at;
    if (offTrack || previous == 0) {
      if (run.Turned()) return run.Against();
      run = Run();
    } else if (step < 0 && (-step < kHalfDay || std::exchange(run.risingWrapped, true))) {
      if (run.down++ == 0) run.firstDown = {previousStation, stop.calcStation}, run.firstDownAt = at;
    } else if (step > 0 && (step < kHalfDay || std::exchange(run.fallingWrapped, true))) {
      if (run.up++ == 0) run.firstUp = {previousStation, stop.calcStation}, run.firstUpAt = at;
    }
    previous = time;
    previousStation = stop.calcStation;
    offTrack = false;
  }
  if (run.Turned()) return run.Against();
  return std::nullopt;
}

}  // namespace

void CheckSemantics(const Document& doc, FindingSink& findings,
                    const std::set<std::string, std::less<>>& filesWithErrors) {
  Checker check(doc, findings);
  auto sound = [&](std::string_view file) { return filesWithErrors.find(file) == filesWithErrors.end(); };
  bool stationsKnown = sound(kEkiFile);
  if (stationsKnown && RowsBeforeEnd(doc.stations) == 0) {
    // Nothing could be checked against it: say so once.
    findings.Report(MakeFinding(kWarnEkiEmpty, 0, 0, kEkiFile, 0));
    stationsKnown = false;
  }
  if (stationsKnown) {
    check.LearnStations();
    check.StationLinks();
  }
  check.MapStations(stationsKnown);
  check.MapColours();
  check.MapTableEnds();
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
