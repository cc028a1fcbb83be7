// The sample line in examples/: read from disk as an author's files would be, in both the
// tab-separated form and the comma-separated copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "doc_fixture.h"
#include "platform/memory_profile_store.h"
#include "file_bytes.h"
#include "platform/disk_line_reader.h"

namespace orbline {
namespace {

const std::string kTabFolder = ORBLINE_SOURCE_DIR "/examples/sample";
const std::string kCommaFolder = ORBLINE_SOURCE_DIR "/examples/sample-comma";
const char* const kSourceFiles[] = {"info.txt",  "kind.txt",  "eki.txt",  "map.txt",
                                    "data1.txt", "data2.txt", "data3.txt"};

// What the sample line holds, known from writing it.
constexpr int kKinds = 7;
constexpr int kStations = 23;  // 20 on the main line, a signal box, 2 on the branch
constexpr int kWeekdayTrains = 49;
constexpr int kSaturdayTrains = 45;
constexpr int kSundayTrains = 47;
constexpr int kHighestCalcStation = 22;

// A document over one folder on disk; the profile holds only the given settings.
struct DiskDocument {
  DiskLineReader files;
  FindingList messages;
  CountingWaitCursor waitCursor;
  std::unique_ptr<Document> doc = std::make_unique<Document>();

  explicit DiskDocument(const std::string& folder, std::vector<std::pair<const char*, int>> settings = {})
      : files(folder) {
    MemoryProfileStore profile;
    for (const auto& [key, value] : settings) profile.WriteInt(kDataSection, key, value);
    doc->settings = FormatSettings::Load(profile);
    doc->DeriveDelimiter();
  }

  // The readers of the compile command, in its order; the result of each.
  std::vector<int> ReadAll() {
    doc->ResetTables();
    SourceReader read(*doc, files, messages, waitCursor);
    return {read.ReadInfo(), read.ReadKinds(), read.ReadStations(), read.ReadMap(), read.ReadTimetables()};
  }
};

const std::vector<int> kAllRead = {1, 1, 1, 1, 1};

int KindCount(const Document& d) {
  int n = 0;
  while (n < kKindCapacity && !(d.kindTexts[n][kind::kText1].empty() && d.kindTexts[n][kind::kText2].empty())) ++n;
  return n;
}

int StationCount(const Document& d) {
  int n = 0;
  while (n < kStationCapacity && !d.stationTexts[n][station::kName].empty()) ++n;
  return n;
}

int MapItemCount(const Document& d) {
  int n = 0;
  while (n < kMapItemCapacity && d.mapValues[n][map::kKind] != 0) ++n;
  return n;
}

int TrainCount(const Document& d, int day) {
  int n = 0;
  while (n < kTrainCapacity && d.trainValues[day][n][train::kKind] != 0) ++n;
  return n;
}

// Tenths of a minute after 0:00.
uint16_t Time(int hours, int minutes) { return static_cast<uint16_t>((hours * 60 + minutes) * 10); }

// ---------------------------------------------------------------------------------------------
// The files as an editor on Windows writes them.

TEST(SampleLineFiles, EveryLineEndsInCrLfAndNoFieldHoldsTheOtherSeparator) {
  for (const std::string& folder : {kTabFolder, kCommaFolder}) {
    const bool commaForm = folder == kCommaFolder;
    for (const char* name : kSourceFiles) {
      SCOPED_TRACE(folder + "/" + name);
      const std::string bytes = FileBytes(folder + "/" + name);
      ASSERT_FALSE(bytes.empty());
      EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "the last line ends in CR LF";
      for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
          ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
        if (bytes[i] == '\r') {
          ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
      }
      // A tab in the comma form (or a comma in the tab form) would split a text differently.
      EXPECT_EQ(bytes.find(commaForm ? '\t' : ','), std::string::npos);
    }
  }
  // Shift_JIS, not UTF-8: the first line of info.txt is the route name in code page 932.
  EXPECT_EQ(FileBytes(kTabFolder + "/info.txt").rfind(Sjis("汐凪高原線") + "\r\n", 0), 0u);
}

// ---------------------------------------------------------------------------------------------
// Reading without a message.

TEST(SampleLineRead, DefaultSettingsReadEveryFileWithoutMessage) {
  DiskDocument disk(kTabFolder);
  const Document& d = *disk.doc;
  ASSERT_EQ(d.settings.kugiri, 0);
  ASSERT_EQ(d.settings.kankaku, 5);
  ASSERT_EQ(d.settings.weekkind, 0);
  ASSERT_EQ(d.settings.top, 0);
  ASSERT_EQ(d.settings.sec30, 1);

  EXPECT_EQ(disk.ReadAll(), kAllRead);
  EXPECT_TRUE(disk.messages.findings.empty());
  EXPECT_EQ(disk.waitCursor.depth(), 0);

  // Weekend scheme: data2.txt feeds both Saturday and Sunday, so data3.txt's extra trains are
  // absent and the two tables are the same.
  EXPECT_EQ(TrainCount(d, kWeekday), kWeekdayTrains);
  EXPECT_EQ(TrainCount(d, kSaturday), kSaturdayTrains);
  EXPECT_EQ(TrainCount(d, kSunday), kSaturdayTrains);
  EXPECT_TRUE(d.trainValues[kSaturday] == d.trainValues[kSunday]);
  EXPECT_TRUE(d.trainTexts[kSaturday] == d.trainTexts[kSunday]);
}

TEST(SampleLineRead, ThreeDaySchemeAlsoReadsTheSundayFile) {
  DiskDocument disk(kTabFolder, {{"weekkind", 2}});
  const Document& d = *disk.doc;
  EXPECT_EQ(disk.ReadAll(), kAllRead);
  EXPECT_TRUE(disk.messages.findings.empty());

  EXPECT_EQ(TrainCount(d, kWeekday), kWeekdayTrains);
  EXPECT_EQ(TrainCount(d, kSaturday), kSaturdayTrains);
  EXPECT_EQ(TrainCount(d, kSunday), kSundayTrains);
  // The Sunday-only excursion train 9601D comes from data3.txt.
  bool found = false;
  for (int i = 0; i < kSundayTrains; ++i) found |= d.trainTexts[kSunday][i][train::kText1] == "9601D";
  EXPECT_TRUE(found);
}

// ---------------------------------------------------------------------------------------------
// The comma form is the same line.

// Compares one table row by row; reports the first few rows that differ.
template <typename Table>
void ExpectSameRows(const Table& tab, const Table& comma, const std::string& what) {
  int reported = 0;
  for (size_t i = 0; i < tab.size() && reported < 5; ++i) {
    if (!(tab[i] == comma[i])) {
      ADD_FAILURE() << what << " row " << i << " differs between the tab and the comma form";
      ++reported;
    }
  }
}

TEST(SampleLineRead, CommaFormReadsIntoTheSameTables) {
  DiskDocument tab(kTabFolder, {{"weekkind", 2}});
  DiskDocument comma(kCommaFolder, {{"kugiri", 1}, {"weekkind", 2}});
  ASSERT_EQ(comma.doc->delimiter, ",");
  ASSERT_EQ(tab.ReadAll(), kAllRead);
  ASSERT_EQ(comma.ReadAll(), kAllRead);
  EXPECT_TRUE(comma.messages.findings.empty());

  const Document& t = *tab.doc;
  const Document& c = *comma.doc;
  // Not two empty tables: the comma form holds the whole line.
  EXPECT_EQ(KindCount(c), kKinds);
  EXPECT_EQ(StationCount(c), kStations);
  EXPECT_EQ(MapItemCount(c), MapItemCount(t));
  EXPECT_EQ(TrainCount(c, kSunday), kSundayTrains);

  for (int i = 0; i < kRouteInfoCount; ++i) EXPECT_EQ(c.routeInfo[i], t.routeInfo[i]) << "route info " << i;
  ExpectSameRows(t.kindColour, c.kindColour, "kind colour");
  ExpectSameRows(t.kindTexts, c.kindTexts, "kind texts");
  ExpectSameRows(t.stationValues, c.stationValues, "station values");
  ExpectSameRows(t.stationTexts, c.stationTexts, "station texts");
  ExpectSameRows(t.mapValues, c.mapValues, "map values");
  ExpectSameRows(t.mapTexts, c.mapTexts, "map texts");
  for (int day = 0; day < kDayTypeCount; ++day) {
    ExpectSameRows(t.trainValues[day], c.trainValues[day], "day " + std::to_string(day) + " train values");
    ExpectSameRows(t.trainTexts[day], c.trainTexts[day], "day " + std::to_string(day) + " train texts");
  }
  EXPECT_EQ(c.maxCalcStation, t.maxCalcStation);
}

// ---------------------------------------------------------------------------------------------
// What the tables hold, checked against the line as it was written.

class SampleLineTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    disk_ = new DiskDocument(kTabFolder, {{"weekkind", 2}});
    readResult_ = new std::vector<int>(disk_->ReadAll());
  }
  static void TearDownTestSuite() {
    delete readResult_;
    delete disk_;
  }
  void SetUp() override {
    ASSERT_EQ(*readResult_, kAllRead);
    ASSERT_TRUE(disk_->messages.findings.empty());
  }
  static const Document& doc() { return *disk_->doc; }

  static DiskDocument* disk_;
  static std::vector<int>* readResult_;
};

DiskDocument* SampleLineTables::disk_ = nullptr;
std::vector<int>* SampleLineTables::readResult_ = nullptr;

TEST_F(SampleLineTables, RouteInfo) {
  const Document& d = doc();
  EXPECT_EQ(d.routeInfo[route::kRouteName], Sjis("汐凪高原線"));
  EXPECT_EQ(d.routeInfo[route::kVersion], "Ver 1.20");
  EXPECT_EQ(d.routeInfo[route::kAuthor], Sjis("汐凪高原線研究会"));
  EXPECT_EQ(d.routeInfo[route::kEffectiveDate], Sjis("2024年3月16日ダイヤ改正"));
  EXPECT_EQ(d.routeInfo[route::kRemarks],
            Sjis("汐凪港から星見高原まで35.2kmを結ぶ架空の地方路線です。") + "\r\n" +
                Sjis("雲雀野から鈴蘭温泉へ6.3kmの支線が分かれます。") + "\r\n" +
                Sjis("萩ノ森に行き違い設備と留置線があります。") + "\r\n" +
                Sjis("土曜休日は鈴蘭温泉へ臨時列車が直通します。") + "\r\n" +
                Sjis("駅名・時刻はすべて架空のものです。"));
}

TEST_F(SampleLineTables, Kinds) {
  const Document& d = doc();
  EXPECT_EQ(KindCount(d), kKinds);
  // 快速 255, 128, 0: red in the lowest byte.
  EXPECT_EQ(d.kindColour[1], 255u + 128u * 256u);
  EXPECT_EQ(d.kindTexts[1][kind::kText1], Sjis("快速"));
  EXPECT_EQ(d.kindTexts[1][kind::kText2], Sjis("主要駅に停車"));
  // 急行 0, 160, 64 and 臨時 160, 0, 200.
  EXPECT_EQ(d.kindColour[2], 160u * 256u + 64u * 65536u);
  EXPECT_EQ(d.kindColour[5], 160u + 200u * 65536u);
  EXPECT_EQ(d.kindTexts[6][kind::kText1], Sjis("貨物"));
  EXPECT_EQ(d.kindColour[7], 0u) << "the row after the last kind stays empty";
}

TEST_F(SampleLineTables, Stations) {
  const Document& d = doc();
  EXPECT_EQ(StationCount(d), kStations);
  EXPECT_EQ(d.stationTexts[0][station::kName], Sjis("汐凪港"));
  EXPECT_EQ(d.stationTexts[0][station::kNote], Sjis("港連絡船のりば"));

  // 雲雀野, row 9: the junction, its second link pointing into the branch.
  using Row = std::array<uint16_t, kStationValueCount>;
  EXPECT_EQ(d.stationValues[8], (Row{9, 10, 20, 17, 85, 21, 22, 34, 60, 121, 74, 4}));
  EXPECT_EQ(d.stationTexts[8][station::kLabel], "SN09");
  EXPECT_EQ(d.stationTexts[8][station::kName], Sjis("雲雀野"));
  EXPECT_EQ(d.stationTexts[8][station::kNote], Sjis("鈴蘭温泉方面のりかえ"));

  // The signal box, row 15, is no timetable column.
  EXPECT_EQ(d.stationValues[14][station::kCalcStationNo], 0);
  EXPECT_EQ(d.stationTexts[14][station::kLabel], "SG");
  EXPECT_EQ(d.stationTexts[14][station::kName], Sjis("朝霧信号場"));
  // Stations without a note.
  EXPECT_EQ(d.stationTexts[1][station::kNote], "");
  EXPECT_EQ(d.stationTexts[21][station::kNote], "");
  // The last row: 鈴蘭温泉, calc station 22, end of the branch.
  EXPECT_EQ(d.stationValues[22][station::kCalcStationNo], kHighestCalcStation);
  EXPECT_EQ(d.stationValues[22][station::kLink1To], 0);
  EXPECT_EQ(d.stationTexts[22][station::kName], Sjis("鈴蘭温泉"));
}

TEST_F(SampleLineTables, MapPagesAndTitles) {
  const Document& d = doc();
  // One item per line of map.txt, all of them before the end marker.
  const std::string bytes = FileBytes(kTabFolder + "/map.txt");
  const int lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
  EXPECT_EQ(lines, 495);
  EXPECT_EQ(MapItemCount(d), lines);

  // Headers on lines 1, 61, 103, 302 and 434 of map.txt.
  EXPECT_EQ(d.FindMapPage(1, 1), std::optional<int>(0));
  EXPECT_EQ(d.FindMapPage(1, 2), std::optional<int>(60));
  EXPECT_EQ(d.FindMapPage(2, 1), std::optional<int>(102));
  EXPECT_EQ(d.FindMapPage(2, 2), std::optional<int>(301));
  EXPECT_EQ(d.FindMapPage(3, 1), std::optional<int>(433));
  EXPECT_FALSE(d.FindMapPage(3, 2).has_value());
  EXPECT_FALSE(d.FindMapPage(1, 3).has_value());

  EXPECT_EQ(d.MapStatusText(4, 1), Sjis("鳥瞰図 全線"));
  EXPECT_EQ(d.MapStatusText(4, 2), Sjis("鳥瞰図 雲雀野付近"));
  EXPECT_EQ(d.MapStatusText(5, 1), Sjis("平日ダイヤ 6時から12時"));
  EXPECT_EQ(d.MapStatusText(5, 2), Sjis("平日ダイヤ 16時から22時"));
  EXPECT_EQ(d.MapStatusText(6, 1), Sjis("路線図"));
  EXPECT_EQ(d.MapStatusText(6, 2), "");
  // The bird's-eye background 205, 228, 185.
  EXPECT_EQ(d.mapValues[0][1], 205);
  EXPECT_EQ(d.mapValues[0][2], 228);
  EXPECT_EQ(d.mapValues[0][3], 185);

  // Line 2 of map.txt: the sea, a filled rectangle across the foot of the page.
  using Row = std::array<uint16_t, kMapValueCount>;
  EXPECT_EQ(d.mapValues[1], (Row{45, 0, 640, 1000, 110, 70, 130, 210, 0, 0, 0, 0}));
}

// Each display uses its own kinds of item, every kind shows up, and everything stays on the page.
TEST_F(SampleLineTables, MapItemsUseEveryKindAndStayOnThePage) {
  const Document& d = doc();
  std::set<int> kinds;
  int display = 0;
  bool verticalLabel = false, italicLabel = false, underlinedLabel = false, defaultHeightLabel = false;
  bool thinLine = false, thinEllipse = false;
  for (int i = 0; i < MapItemCount(d); ++i) {
    SCOPED_TRACE("map.txt line " + std::to_string(i + 1));
    const auto& p = d.mapValues[i];
    const int k = p[map::kKind];
    if (k > 100) {
      display = k / 100;
      EXPECT_GE(k % 100, 1);
      EXPECT_LE(k % 100, 2);
      EXPECT_FALSE(d.mapTexts[i].empty()) << "a page header carries its title";
      continue;
    }
    ASSERT_NE(display, 0) << "an item before the first page header";
    kinds.insert(k);
    auto onPage = [](int x, int y) { return x <= 1000 && y <= 750; };
    if (k == 11 || k == 21 || k == 31) {
      // Station references name calc stations of eki.txt.
      EXPECT_GE(p[1], 1);
      EXPECT_LE(p[1], kHighestCalcStation);
      EXPECT_GE(p[2], 1);
      EXPECT_LE(p[2], kHighestCalcStation);
    }
    switch (k) {
      case 11:
      case 31:
        EXPECT_EQ(k, display == 1 ? 11 : 31) << "station links: 11 in the bird's-eye view, 31 in the route map";
        EXPECT_TRUE(onPage(p[4], p[5]) && onPage(p[6], p[7]));
        break;
      case 21:
        EXPECT_EQ(display, 2) << "station bars belong to the diagram";
        EXPECT_LT(p[3], p[4]);
        EXPECT_LE(p[4], 750);
        break;
      case 42:
        EXPECT_TRUE(onPage(p[1], p[2]) && onPage(p[3], p[4]));
        thinLine |= p[8] == 0;
        break;
      case 44:
        EXPECT_TRUE(onPage(p[1], p[2]));
        EXPECT_FALSE(d.mapTexts[i].empty());
        verticalLabel |= p[7] != 0;
        italicLabel |= p[8] != 0;
        underlinedLabel |= p[9] != 0;
        defaultHeightLabel |= p[6] == 0;
        break;
      case 45:
      case 46:
        EXPECT_LE(p[1] + p[3], 1000);
        EXPECT_LE(p[2] + p[4], 750);
        break;
      case 47:
      case 48:
        EXPECT_LT(p[1], p[3]);
        EXPECT_LT(p[2], p[4]);
        EXPECT_TRUE(onPage(p[3], p[4]));
        if (k == 48) thinEllipse |= p[8] == 0;
        break;
      default:
        ADD_FAILURE() << "unexpected item kind " << k;
    }
  }
  EXPECT_EQ(kinds, (std::set<int>{11, 21, 31, 42, 44, 45, 46, 47, 48}));
  EXPECT_TRUE(verticalLabel);
  EXPECT_TRUE(italicLabel);
  EXPECT_TRUE(underlinedLabel);
  EXPECT_TRUE(defaultHeightLabel);
  EXPECT_TRUE(thinLine);
  EXPECT_TRUE(thinEllipse);
}

TEST_F(SampleLineTables, OneLocalTrainComputedByHand) {
  const Document& d = doc();
  // Weekday line 3 (the second train): 101M, 普通 from 汐凪港 (row 1) to 星見高原 (row 21).
  const auto& v = d.trainValues[kWeekday][1];
  const auto& texts = d.trainTexts[kWeekday][1];
  EXPECT_EQ(texts[train::kText1], "101M");
  EXPECT_EQ(texts[train::kText2], Sjis("星見高原行"));
  EXPECT_EQ(texts[train::kText3], Sjis("始発"));
  EXPECT_EQ(v[train::kKind], 1);
  EXPECT_EQ(v[train::kCarType], 1);
  EXPECT_EQ(v[train::kValue2], 2);
  EXPECT_EQ(v[train::kStationA], 1);
  EXPECT_EQ(v[train::kStationB], 21);

  // 汐凪港 5:20, no wait, platform B 1: (1 * 2 + 0) * 512.
  EXPECT_EQ(v[train::TimeIndex(1)], 3200);
  EXPECT_EQ(v[train::StopInfoIndex(1)], 1024);
  // 桐ヶ原 5:26, one minute's wait becomes 30 seconds, T 0.
  EXPECT_EQ(v[train::TimeIndex(4)], Time(5, 26));
  EXPECT_EQ(v[train::StopInfoIndex(4)], 5);
  // 雲雀野 5:39, two minutes, platform 2: 2 * 2 * 512 + 20.
  EXPECT_EQ(v[train::TimeIndex(9)], 3390);
  EXPECT_EQ(v[train::StopInfoIndex(9)], 2068);
  // 萩ノ森 5:48, two minutes, platform 1, calls (T 0): 1024 + 20.
  EXPECT_EQ(v[train::TimeIndex(12)], Time(5, 48));
  EXPECT_EQ(v[train::StopInfoIndex(12)], 1044);
  // 星見高原 6:18, platform 1.
  EXPECT_EQ(v[train::TimeIndex(20)], 3780);
  EXPECT_EQ(v[train::StopInfoIndex(20)], 1024);
  // The branch is not on its way.
  EXPECT_EQ(v[train::TimeIndex(21)], 0);
  EXPECT_EQ(v[train::StopInfoIndex(22)], 0);
}

TEST_F(SampleLineTables, ALimitedExpressPassesWithTheTFlag) {
  const Document& d = doc();
  // Weekday line 8: 1D, 特急 at 6:50.
  const auto& v = d.trainValues[kWeekday][6];
  EXPECT_EQ(d.trainTexts[kWeekday][6][train::kText1], "1D");
  EXPECT_EQ(v[train::kKind], 4);
  // 汐凪本町 passed at 6:51: T 1, no wait.
  EXPECT_EQ(v[train::TimeIndex(2)], Time(6, 51));
  EXPECT_EQ(v[train::StopInfoIndex(2)], 512);
  // 雲雀野 7:02, one minute, platform 2: 2048 + 5.
  EXPECT_EQ(v[train::TimeIndex(9)], Time(7, 2));
  EXPECT_EQ(v[train::StopInfoIndex(9)], 2053);
  // 萩ノ森 passed at 7:08 on the main track, B 1 and T 1: 3 * 512.
  EXPECT_EQ(v[train::TimeIndex(12)], Time(7, 8));
  EXPECT_EQ(v[train::StopInfoIndex(12)], 1536);
}

TEST_F(SampleLineTables, SundayThroughTrainToTheSpa) {
  const Document& d = doc();
  // data3.txt line 41: 9502M from 鈴蘭温泉 (row 23) at 16:10 to 汐凪港 (row 1), over the branch.
  const auto& v = d.trainValues[kSunday][39];
  EXPECT_EQ(d.trainTexts[kSunday][39][train::kText1], "9502M");
  EXPECT_EQ(v[train::kKind], 6);
  EXPECT_EQ(v[train::kStationA], 23);
  EXPECT_EQ(v[train::kStationB], 1);
  EXPECT_EQ(v[train::TimeIndex(22)], Time(16, 10));
  EXPECT_EQ(v[train::StopInfoIndex(22)], 1024);
  EXPECT_EQ(v[train::TimeIndex(21)], Time(16, 13));
  EXPECT_EQ(v[train::StopInfoIndex(21)], 0);
  EXPECT_EQ(v[train::TimeIndex(1)], Time(16, 29));
  EXPECT_EQ(v[train::TimeIndex(10)], 0) << "it leaves the main line at 雲雀野";
  // The header of data3.txt, read last, reaches calc station 22.
  EXPECT_EQ(d.maxCalcStation, kHighestCalcStation);
}

TEST(SampleLineRead, WithoutThirtySecondsAOneMinuteWaitStaysTenTenths) {
  DiskDocument disk(kTabFolder, {{"30sec", 0}});
  ASSERT_EQ(disk.ReadAll(), kAllRead);
  const auto& v = disk.doc->trainValues[kWeekday][1];  // 101M
  EXPECT_EQ(v[train::StopInfoIndex(4)], 10);
  EXPECT_EQ(v[train::StopInfoIndex(9)], 2068) << "a two-minute wait is 20 either way";
}

}  // namespace
}  // namespace orbline
