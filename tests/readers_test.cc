// What the readers do beyond the cases in tests/cases: tables read to their capacity, failing
// files, the wait cursor, the page lookup, rows that stay stored where reading stopped.
#include <gtest/gtest.h>

#include "document/error_code.h"
#include "document_fixture.h"

namespace orbline {
namespace {

using ReadersTest = DocTest;

std::string Repeat(int count, const std::function<std::string(int)>& line) {
  std::string s;
  for (int i = 0; i < count; ++i) s += line(i);
  return s;
}

// The one finding a read gave: "file:line code".
std::string Only(const FindingList& list) {
  EXPECT_EQ(list.findings.size(), 1u);
  if (list.findings.empty()) return "";
  const Finding& f = list.findings[0];
  return f.file + ":" + std::to_string(f.line) + " " + std::to_string(f.code);
}

TEST_F(ReadersTest, EveryTableIsReadToItsCapacityAndNoFurther) {
  files.Set("kind.txt", Repeat(15, [](int i) { return i == 2 ? "\r\n" : "1\t1\t1\tk" + std::to_string(i + 1) + "\tz\r\n"; }));
  EXPECT_EQ(Read().ReadKinds(), 1);
  EXPECT_EQ(doc->kindTexts[3][0] + "|" + doc->kindTexts[12][0], "k4|k13") << "rows after an empty one are read";
  EXPECT_EQ(Only(findings), "kind.txt:14 84");
  findings.findings.clear();
  files.Set("eki.txt", Repeat(301, [](int i) { return std::to_string(i) + "\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tS\r\n"; }));
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_EQ(doc->stationValues[299][station::kCalcStationNo], 299);
  EXPECT_EQ(Only(findings), "eki.txt:301 84");
  findings.findings.clear();
  files.Set("map.txt", Repeat(2001, [](int i) { return "42\t" + std::to_string(i) + "\r\n"; }));
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->mapValues[1999][1], 1999);
  EXPECT_EQ(Only(findings), "map.txt:2001 84");
  findings.findings.clear();
  files.Set("data2.txt", "k\tc\t2\t3\t4\tA\tB\t1\tx\ty\r\n" +
                             Repeat(3001, [](int i) { return "1\t1\t0\t0\t0\t0\t0\t1\t" + std::to_string(i % 60) + "\t0\r\n"; }));
  EXPECT_EQ(Read().ReadTimetableFile(2, kSunday), 1);
  EXPECT_EQ(doc->trainValues[kSunday][2999][train::TimeIndex(1)], (60 + 2999 % 60) * 10);
  EXPECT_EQ(doc->trainValues[kWeekday][0][train::kKind], 0) << "only the given day type is filled";
  EXPECT_EQ(Only(findings), "data2.txt:3002 84");
}

TEST_F(ReadersTest, StoppingAtAFaultKeepsItsRowAndWhatCameBefore) {
  files.Set("eki.txt", "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tA\r\n7\t0\t0\t0\t0\t0\t0\t0\t0\t0\t150\r\n");
  EXPECT_EQ(Read().ReadStations(), 0);
  EXPECT_EQ(doc->stationValues[1][station::kRatio] * 100 + doc->stationValues[1][0], 15007);
  files.Set("data3.txt", "k\tc\t2\t3\t4\tA\tB\r\n1\t1\t0\t0\t0\t300\t300\r\n14\t1\tx\r\n1\t1\t0\t0\t0\t0\t0\tnever\r\n");
  EXPECT_EQ(Read().ReadTimetableFile(3, kSunday), 0);
  EXPECT_EQ(doc->trainValues[kSunday][1][train::kKind] * 1000 + doc->trainValues[kSunday][0][train::kStationA], 14300);
  EXPECT_EQ(doc->trainTexts[kSunday][2][0], "") << "reading stopped at it";
}

TEST_F(ReadersTest, FilesThatCannotBeOpenedOrRead) {
  // A read error after some lines: the lines before it stay.
  files.SetFailingRead("info.txt", "one\r\ntwo\r\nthree\r\n", 12);
  files.SetOpenFailure("kind.txt", FileStatus::kOtherError);
  files.SetFailingRead("eki.txt", "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tA\r\n1\t0\t0\t0\t0", 32);
  files.SetFailingRead("map.txt", "42\t1\r\n42\t2\r\n42\t3\r\n", 12);
  EXPECT_EQ(Read().ReadInfo() + Read().ReadKinds() + Read().ReadStations() + Read().ReadMap(), 0);
  EXPECT_EQ(doc->routeInfo[0] + doc->routeInfo[1] + doc->stationTexts[0][station::kName], "onetwoA");
  EXPECT_EQ(doc->mapValues[1][1] * 100 + doc->mapValues[2][map::kKind], 200);
  std::vector<std::string> places;
  for (const Finding& f : findings.findings) places.push_back(f.file + ":" + std::to_string(f.line) + " " + std::to_string(f.code));
  EXPECT_EQ(places, (std::vector<std::string>{"info.txt:0 22", "kind.txt:0 32", "eki.txt:0 42", "map.txt:0 52"}));
  EXPECT_EQ(waitCursor.shows, waitCursor.hides) << "the wait cursor ends on every path";
  EXPECT_EQ(waitCursor.depth(), 0);
}

TEST_F(ReadersTest, AFileFeedingSeveralDayTypesIsReadForEach) {
  files.Set("data1.txt", "k\tc\t2\t3\t4\tA\tB\r\n1\t1\t0\t0\t0\t0\t0\r\n");
  doc->settings.weekkind = 1;
  EXPECT_EQ(Read().ReadTimetables(), 1);
  EXPECT_EQ(files.OpenCount("data1.txt") * 10 + files.OpenCount("data2.txt"), 30) << "scheme 1 never needs data2.txt";
  doc->settings.weekkind = 3;
  EXPECT_EQ(Read().ReadTimetables(), 0);
  EXPECT_EQ(files.OpenCount("data1.txt") * 10 + files.OpenCount("data2.txt"), 51);
  doc->settings.weekkind = 2;
  files.Set("data2.txt", "");
  files.SetFailingRead("data3.txt", "k\tc\t2\t3\t4\tA\tB\r\n1\t1", 12);
  EXPECT_EQ(Read().ReadTimetables(), 0);
  EXPECT_EQ(findings.findings.back().code, kErrDataUnknown);
  EXPECT_EQ(waitCursor.depth(), 0);
}

TEST_F(ReadersTest, PageLookupScansTheWholeTable) {
  files.Set("map.txt", "101\t1\r\n42\r\n\r\n202\t2\t\t\t\t\t\t\t\t\t\t\tSecond diagram\r\n101\t9\t\t\t\t\t\t\t\t\t\t\tLater copy\r\n113\r\n");
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->FindMapPage(1, 1), 0) << "the earlier of two equal headers";
  EXPECT_EQ(doc->FindMapPage(2, 2), 3) << "a page after the first empty item is found all the same";
  EXPECT_FALSE(doc->FindMapPage(2, 1).has_value());
  EXPECT_EQ(doc->FindMapPage(1, 13), 5);
  EXPECT_EQ(doc->MapStatusText(5, 2), "Second diagram");
  for (int mode : {4, 6, 2, 7}) EXPECT_EQ(doc->MapStatusText(mode, mode == 2 || mode == 7 ? 2 : 1), "") << mode;
  doc->mapValues[kMapItemCapacity - 1][map::kKind] = 312;
  doc->mapTexts[kMapItemCapacity - 1] = "last";
  EXPECT_EQ(doc->MapStatusText(6, 12), "last");
}

}  // namespace
}  // namespace orbline
