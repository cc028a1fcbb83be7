#include "bench/full_data_set.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "document/map_item.h"
#include "document/rows.h"
#include "document/tables.h"

namespace orbline {
namespace {

// Shift_JIS (code page 932) words the generated texts are made of. Each is kept in its own
// literal so that no hex escape runs into a following digit or letter.
namespace sj {
constexpr std::string_view kLocal = "\x95\x81\x92\xCA";                          // 普通
constexpr std::string_view kRapid = "\x89\xF5\x91\xAC";                          // 快速
constexpr std::string_view kSectionRapid = "\x8B\xE6\x8A\xD4\x89\xF5\x91\xAC";   // 区間快速
constexpr std::string_view kCommuterRapid = "\x92\xCA\x8B\xCE\x89\xF5\x91\xAC";  // 通勤快速
constexpr std::string_view kNewRapid = "\x90\x56\x89\xF5\x91\xAC";               // 新快速
constexpr std::string_view kSemiExpress = "\x8F\x80\x8B\x7D";                    // 準急
constexpr std::string_view kExpress = "\x8B\x7D\x8D\x73";                        // 急行
constexpr std::string_view kLimitedExpress = "\x93\xC1\x8B\x7D";                 // 特急
constexpr std::string_view kSleeper = "\x90\x51\x91\xE4\x93\xC1\x8B\x7D";        // 寝台特急
constexpr std::string_view kExtra = "\x97\xD5\x8E\x9E";                          // 臨時
constexpr std::string_view kOutOfService = "\x89\xF1\x91\x97";                   // 回送
constexpr std::string_view kFreight = "\x89\xDD\x95\xA8";                        // 貨物
constexpr std::string_view kAllStations = "\x8A\x65\x89\x77\x92\xE2\x8E\xD4";    // 各駅停車

constexpr std::string_view kBound = "\x8D\x73";                                            // 行
constexpr std::string_view kStop = "\x92\xE2\x8E\xD4";                                     // 停車
constexpr std::string_view kPlatform = "\x94\xD4\x90\xFC";                                 // 番線
constexpr std::string_view kTrainNo = "\x8D\x86";                                          // 号
constexpr std::string_view kRailway = "\x83\x49\x83\x8B\x83\x75\x93\x53\x93\xB9";          // オルブ鉄道
constexpr std::string_view kMainLine = "\x96\x7B\x90\xFC";                                 // 本線
constexpr std::string_view kWholeLine = "\x91\x53\x90\xFC";                                // 全線
constexpr std::string_view kRevision = "\x89\xFC\x90\xB3";                                 // 改正
constexpr std::string_view kYear = "\x94\x4E";                                             // 年
constexpr std::string_view kMonth = "\x8C\x8E";                                            // 月
constexpr std::string_view kDay = "\x93\xFA";                                              // 日
constexpr std::string_view kRemarks = "\x94\xF5\x8D\x6C";                                  // 備考
constexpr std::string_view kAuthor = "\x8D\xEC\x8E\xD2";                                   // 作者
constexpr std::string_view kKind = "\x8E\xED\x95\xCA";                                     // 種別
constexpr std::string_view kCarType = "\x8E\xD4\x8E\xED";                                  // 車種
constexpr std::string_view kNumber = "\x94\xD4\x8D\x86";                                   // 番号
constexpr std::string_view kOrigin = "\x8E\x6E\x94\xAD";                                   // 始発
constexpr std::string_view kTerminus = "\x8F\x49\x92\x85";                                 // 終着
constexpr std::string_view kTimetable = "\x8E\x9E\x8D\x8F";                                // 時刻
constexpr std::string_view kPlatformArea = "\x82\xCC\x82\xE8\x82\xCE";                     // のりば
constexpr std::string_view kBirdsEye = "\x92\xB9\xE1\xD5\x90\x7D";                         // 鳥瞰図
constexpr std::string_view kDiagram = "\x83\x5F\x83\x43\x83\x41\x83\x4F\x83\x89\x83\x80";  // ダイアグラム
constexpr std::string_view kRouteMap = "\x98\x48\x90\xFC\x90\x7D";                         // 路線図
constexpr std::string_view kSection = "\x8B\xE6\x8A\xD4";                                  // 区間
constexpr std::string_view kWeekday = "\x95\xBD\x93\xFA";                                  // 平日
constexpr std::string_view kSaturday = "\x93\x79\x97\x6A";                                 // 土曜
constexpr std::string_view kSunday = "\x93\xFA\x97\x6A";                                   // 日曜

// Parts of station names.
constexpr std::array<std::string_view, 7> kNameHeads = {
    "\x93\x8C",          // 東
    "\x90\xBC",          // 西
    "\x96\x6B",          // 北
    "\x93\xEC",          // 南
    "\x96\x7B\x92\xAC",  // 本町
    "\x92\x86\x89\x9B",  // 中央
    "\x8D\xF7",          // 桜
};
constexpr std::array<std::string_view, 9> kNameCores = {
    "\x90\xEC",          // 川
    "\x8E\x52",          // 山
    "\x8B\xB4",          // 橋
    "\x91\xE4",          // 台
    "\x92\x4A",          // 谷
    "\x8B\x7B",          // 宮
    "\x96\xEC",          // 野
    "\x93\x63",          // 田
    "\x83\x96\x8B\x75",  // ヶ丘
};
constexpr std::array<std::string_view, 3> kNameTails = {
    "",
    "\x8C\xFB",  // 口
    "\x91\x4F",  // 前
};
}  // namespace sj

// The 13 train kinds: colour, text1, text2.
struct KindRow {
  int red, green, blue;
  std::string_view text1;
  std::string_view text2;
};
constexpr std::array<KindRow, kKindCapacity> kKinds = {{
    {128, 128, 128, sj::kLocal, "Local"},
    {255, 128, 0, sj::kRapid, "Rapid"},
    {0, 160, 64, sj::kSectionRapid, "Section Rapid"},
    {255, 0, 128, sj::kCommuterRapid, "Commuter Rapid"},
    {0, 64, 255, sj::kNewRapid, "New Rapid"},
    {0, 192, 0, sj::kSemiExpress, "Semi Express"},
    {255, 0, 0, sj::kExpress, "Express"},
    {192, 0, 0, sj::kLimitedExpress, "Limited Express"},
    {64, 0, 128, sj::kSleeper, "Sleeper"},
    {255, 192, 0, sj::kExtra, "Extra"},
    {96, 96, 96, sj::kOutOfService, "Out of Service"},
    {128, 64, 0, sj::kFreight, "Freight"},
    {0, 128, 255, sj::kAllStations, "All Stations"},
}};

// SplitMix64: small, fast and the same on every platform, unlike the standard distributions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A value in lo..hi, both included.
  int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1)); }
  // True with the given chance in percent.
  bool Percent(int chance) { return Between(0, 99) < chance; }
  template <typename T, size_t N>
  const T& Pick(const std::array<T, N>& items) {
    return items[static_cast<size_t>(Between(0, static_cast<int>(N) - 1))];
  }

 private:
  std::uint64_t state_;
};

// Builds a source file in memory: tab-separated fields, CR LF line ends.
class SourceText {
 public:
  void Text(std::string_view text) {
    Separate();
    out_.append(text);
  }
  void Number(long value) {
    Separate();
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out_.append(buf, static_cast<size_t>(end - buf));
  }
  // A number written with at least two digits, as timetables write minutes ("05").
  void TwoDigits(int value) {
    Separate();
    if (value >= 0 && value < 10) out_.push_back('0');
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out_.append(buf, static_cast<size_t>(end - buf));
  }
  void Empty() { Separate(); }
  void EndLine() {
    out_.append("\r\n");
    lineStarted_ = false;
  }
  const std::string& str() const { return out_; }
  void Reserve(size_t n) { out_.reserve(n); }

 private:
  void Separate() {
    if (lineStarted_) out_.push_back('\t');
    lineStarted_ = true;
  }

  std::string out_;
  bool lineStarted_ = false;
};

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (std::string_view p : parts) s.append(p);
  return s;
}

std::string StationName(int row, Random& random) {
  // Every name is distinct enough to read; a few carry the row number for uniqueness.
  std::string name = Concat({random.Pick(sj::kNameHeads), random.Pick(sj::kNameCores), random.Pick(sj::kNameTails)});
  if (row % 7 == 0) name += std::to_string(row / 7);
  return name;
}

// --- info.txt ---------------------------------------------------------------------------------

std::string MakeInfo() {
  SourceText f;
  f.Text(Concat({sj::kRailway, sj::kMainLine}));
  f.EndLine();
  f.Text("1.00");
  f.EndLine();
  f.Text(Concat({sj::kAuthor, ": K. Tanaka"}));
  f.EndLine();
  f.Text(Concat({"2024", sj::kYear, "3", sj::kMonth, "16", sj::kDay, " ", sj::kRevision}));
  f.EndLine();
  f.Text(Concat({sj::kRemarks, ": ", sj::kWholeLine, " ", sj::kTimetable, " (", sj::kWeekday, "/", sj::kSaturday, "/",
                 sj::kSunday, ")"}));
  f.EndLine();
  for (int j = 1; j <= RouteInfo::kMaxRemarksLines; ++j) {
    f.Text(Concat({sj::kSection, " ", std::to_string(j), ": ", sj::kPlatformArea, " ", std::to_string(j % 4 + 1),
                   sj::kPlatform, " - timetable revised for the spring service pattern"}));
    f.EndLine();
  }
  return f.str();
}

// --- kind.txt ---------------------------------------------------------------------------------

std::string MakeKinds() {
  SourceText f;
  for (const KindRow& k : kKinds) {
    f.Number(k.red);
    f.Number(k.green);
    f.Number(k.blue);
    f.Text(k.text1);
    f.Text(k.text2);
    f.EndLine();
  }
  return f.str();
}

// --- eki.txt ----------------------------------------------------------------------------------

// Station rows 1..100 are the calc stations 1..100 in line order; the rows after them are
// stations that no timetable column names (calc-station number 0) or that carry a number above
// the timetable's range (101..300).
int CalcStationOfRow(int row) {
  if (row <= kCalcStationCapacity) return row;
  return row % 3 == 0 ? 0 : row;
}

std::string MakeStations(const std::vector<std::string>& stationNames, Random& random) {
  SourceText f;
  f.Reserve(64 * kStationCapacity);
  for (int row = 1; row <= kStationCapacity; ++row) {
    const int calc = CalcStationOfRow(row);
    f.Number(calc);
    // Two link groups: To and To2 are calc stations (at most 100); To2 is given whenever To is.
    for (int group = 0; group < 2; ++group) {
      const bool linked = group == 0 ? row > 1 && row <= kCalcStationCapacity : random.Percent(10);
      if (linked) {
        const int to = group == 0 ? row - 1 : random.Between(1, kCalcStationCapacity);
        f.Number(to);
        f.Number(random.Between(1, kCalcStationCapacity));
        f.Number(random.Between(50, 4000));  // distance in metres
        f.Number(random.Between(0, 120));
      } else {
        f.Number(0);
        f.Number(0);
        f.Number(0);
        f.Number(0);
      }
    }
    f.Number(random.Between(0, 12));    // value9
    f.Number(random.Between(0, 99));    // ratio
    f.Number(random.Between(-5, 900));  // value11; a negative number is stored as its low 16 bits
    char label[8];
    std::snprintf(label, sizeof label, "S%03d", row);
    f.Text(label);
    f.Text(stationNames[static_cast<size_t>(row - 1)]);
    if (random.Percent(30)) {
      f.Text(Concat({std::to_string(random.Between(1, 8)), sj::kPlatform, sj::kPlatformArea}));
    } else if (random.Percent(50)) {
      f.Empty();  // an empty note field
    }
    f.EndLine();
  }
  return f.str();
}

// --- map.txt ----------------------------------------------------------------------------------

void MapNumbers(SourceText& f, std::initializer_list<int> params) {
  // kind and parameters given, the rest of the twelve numbers 0.
  int n = 0;
  for (int p : params) {
    f.Number(p);
    ++n;
  }
  for (; n < MapItem::kValueCount; ++n) f.Number(0);
}

void MapItemLine(SourceText& f, int display, Random& random) {
  const int x = random.Between(0, 1000), y = random.Between(0, 750);
  const int r = random.Between(0, 255), g = random.Between(0, 255), b = random.Between(0, 255);
  const int from = random.Between(1, kCalcStationCapacity - 1);
  const int to = std::min(kCalcStationCapacity, from + random.Between(1, 3));
  // The diagram is mostly station bars and lines; the two maps mostly links, labels and shapes.
  static constexpr std::array<int, 10> kMapKinds = {11, 11, 31, 42, 44, 44, 45, 46, 47, 48};
  static constexpr std::array<int, 10> kDiagramKinds = {21, 21, 21, 42, 42, 42, 44, 44, 45, 48};
  const int kind = display == 2 ? random.Pick(kDiagramKinds) : random.Pick(kMapKinds);
  switch (kind) {
    case 11:
    case 31:
      MapNumbers(f, {kind, from, to, 0, x, y, std::min(1000, x + random.Between(10, 200)),
                     std::max(0, y + random.Between(-100, 100)), r, g, b});
      f.Empty();
      break;
    case 21: {
      const int top = random.Between(0, 700);
      MapNumbers(f, {kind, from, to, top, std::min(750, top + random.Between(5, 60))});
      f.Empty();
      break;
    }
    case 42:
      MapNumbers(f, {kind, x, y, random.Between(0, 1000), random.Between(0, 750), r, g, b, random.Between(0, 4)});
      f.Empty();
      break;
    case 44:
      MapNumbers(f, {kind, x, y, r, g, b, random.Percent(30) ? 0 : random.Between(12, 60), random.Percent(10),
                     random.Percent(10), random.Percent(10)});
      f.Text(random.Percent(50) ? StationName(x, random) : Concat({sj::kPlatformArea, std::to_string(y % 9 + 1)}));
      break;
    case 45:
    case 46:
      MapNumbers(f, {kind, x, y, random.Between(5, 300), random.Between(5, 200), kind == 45 ? r : 0, kind == 45 ? g : 0,
                     kind == 45 ? b : 0});
      f.Empty();
      break;
    case 47:
    case 48:
      MapNumbers(f, {kind, x, y, x + random.Between(4, 120), y + random.Between(4, 120), r, g, b,
                     kind == 48 ? random.Between(0, 3) : 0});
      f.Empty();
      break;
  }
  f.EndLine();
}

std::string MakeMap(Random& random) {
  SourceText f;
  f.Reserve(40 * kMapItemCapacity);
  constexpr int kPages = MapItem::kDisplayCount * kPageCount;
  constexpr int kItems = kMapItemCapacity - kPages;
  static constexpr std::array<std::string_view, 3> kTitles = {sj::kBirdsEye, sj::kDiagram, sj::kRouteMap};
  int page = 0;
  for (int display = 1; display <= MapItem::kDisplayCount; ++display) {
    for (int p = 1; p <= kPageCount; ++p, ++page) {
      // Header: page code, background colour, title.
      MapNumbers(f, {MapItem::kPageCodeStep * display + p, random.Between(200, 255), random.Between(200, 255),
                     random.Between(200, 255)});
      f.Text(Concat({kTitles[display - 1], " ", std::to_string(p), " ", sj::kSection, " ",
                     std::to_string((p - 1) * 9 + 1), "-", std::to_string(p * 9)}));
      f.EndLine();
      const int items = kItems / kPages + (page < kItems % kPages ? 1 : 0);
      for (int i = 0; i < items; ++i) MapItemLine(f, display, random);
    }
  }
  return f.str();
}

// --- data1.txt .. data3.txt --------------------------------------------------------------------

// Running minutes between calc station s and s + 1 (entry s), the same for every train.
using SegmentTimes = std::array<int, kCalcStationCapacity + 1>;

SegmentTimes SegmentMinutes(Random& random) {
  SegmentTimes minutes{};
  for (int& m : minutes) m = random.Between(1, 3);
  return minutes;
}

std::string MakeTimetable(int fileNumber, const SegmentTimes& segment, const std::vector<std::string>& stationNames,
                          Random& random) {
  SourceText f;
  f.Reserve(1400 * static_cast<size_t>(kTrainCapacity));
  // Header: 7 labels over the train values, then one group per calc station: its number, two
  // labels over minutes and wait, and the B and T markers.
  for (std::string_view label : {sj::kKind, sj::kCarType, sj::kNumber, std::string_view("cars"),
                                 std::string_view("flag"), sj::kOrigin, sj::kTerminus})
    f.Text(label);
  for (int s = 1; s <= kCalcStationCapacity; ++s) {
    f.Number(s);
    f.Text(stationNames[static_cast<size_t>(s - 1)]);
    f.Text(sj::kStop);
    f.Text("B");
    f.Text("T");
  }
  f.EndLine();

  struct Column {
    bool runs = false;
    int hours = 0, minutes = 0, wait = 0, track = 0, stops = 0;
  };
  std::array<Column, kCalcStationCapacity + 1> columns;
  // Trains start from 4:30 to 20:30; the late ones run past midnight (hours 24, 25).
  for (int i = 0; i < kTrainCapacity; ++i) {
    const int kind = random.Percent(45) ? 1 : random.Between(1, kKindCapacity);
    const bool express = kind >= 6 && kind <= 9;
    const bool down = i % 2 == 0;
    int first = 1, last = kCalcStationCapacity;
    if (random.Percent(25)) {  // a short working over part of the line
      first = random.Between(1, 70);
      last = random.Between(first + 20, kCalcStationCapacity);
    }
    int clock = 4 * 60 + 30 + (i * 16 * 60) / kTrainCapacity + random.Between(0, 4);  // minutes after 0:00
    columns.fill(Column{});
    for (int step = 0; step <= last - first; ++step) {
      const int s = down ? first + step : last - step;
      Column& c = columns[static_cast<size_t>(s)];
      const bool terminal = s == first || s == last;
      const bool stops = terminal || !express || random.Percent(25);
      c.runs = true;
      c.hours = clock / 60;
      c.minutes = clock % 60;
      c.wait = stops ? (terminal ? 0 : random.Between(0, 9) < 5 ? 0 : random.Between(1, 3)) : 0;
      c.track = random.Between(1, 6);
      c.stops = stops ? 1 : 0;
      clock += c.wait + segment[static_cast<size_t>(down ? s : s - 1)];
    }
    const int origin = down ? first : last, terminus = down ? last : first;

    f.Number(kind);
    f.Number(random.Between(1, 100));      // car type
    f.Number(fileNumber * 10000 + i + 1);  // train number
    f.Number(random.Between(2, 15));       // cars
    f.Number(random.Percent(20));          // flag
    f.Number(origin);                      // station rows 1..100 are calc stations 1..100
    f.Number(terminus);
    for (int s = 1; s <= kCalcStationCapacity; ++s) {
      const Column& c = columns[static_cast<size_t>(s)];
      if (!c.runs) {  // not served: five empty fields
        f.Empty();
        f.Empty();
        f.Empty();
        f.Empty();
        f.Empty();
        continue;
      }
      f.Number(c.hours);
      f.TwoDigits(c.minutes);
      f.Number(c.wait);
      f.Number(c.track);
      f.Number(c.stops);
    }
    f.Text(Concat({std::to_string(fileNumber * 10000 + i + 1), express ? "D" : "M", sj::kTrainNo}));
    f.Text(Concat({stationNames[static_cast<size_t>(terminus - 1)], sj::kBound}));
    if (random.Percent(40)) {
      f.Text(Concat(
          {kKinds[static_cast<size_t>(kind - 1)].text1, " ", std::to_string(random.Between(1, 8)), sj::kPlatform}));
    } else {
      f.Empty();
    }
    f.EndLine();
  }
  return f.str();
}

void WriteFile(const std::filesystem::path& folder, const std::string& name, const std::string& bytes,
               WrittenDataSet& set) {
  const std::filesystem::path path = folder / name;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw std::runtime_error("cannot create " + path.string());
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
  set.files.push_back({name, bytes.size()});
  set.totalBytes += bytes.size();
}

}  // namespace

std::uintmax_t WrittenDataSet::BytesOf(const std::string& name) const {
  for (const WrittenFile& f : files)
    if (f.name == name) return f.bytes;
  return 0;
}

WrittenDataSet WriteFullDataSet(const std::filesystem::path& folder, std::uint64_t seed) {
  std::filesystem::create_directories(folder);
  WrittenDataSet set;
  Random random(seed);

  WriteFile(folder, "info.txt", MakeInfo(), set);
  WriteFile(folder, "kind.txt", MakeKinds(), set);
  // Station names, shared by eki.txt, the timetable headers and the trains' destinations.
  std::vector<std::string> stationNames;
  for (int row = 1; row <= kStationCapacity; ++row) stationNames.push_back(StationName(row, random));
  WriteFile(folder, "eki.txt", MakeStations(stationNames, random), set);
  WriteFile(folder, "map.txt", MakeMap(random), set);
  const auto segment = SegmentMinutes(random);
  for (int fileNumber = 1; fileNumber <= kDayTypeCount; ++fileNumber) {
    Random day(seed + static_cast<std::uint64_t>(fileNumber) * 0x1000193ull);
    WriteFile(folder, "data" + std::to_string(fileNumber) + ".txt",
              MakeTimetable(fileNumber, segment, stationNames, day), set);
  }
  return set;
}

}  // namespace orbline
