// What the readers do beyond the cases in tests/cases: tables read to their capacity, failing
// files, the wait cursor, the page lookup, rows that stay stored where reading stopped.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bench/full_data_set.h"
#include "compiler/line_check.h"
#include "document/error_code.h"
#include "platform/disk_line_reader.h"
#include "test_files.h"
#include "document_fixture.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;
using ReadersTest = DocTest;

// The full data set from the benchmarks: every table read to its capacity without a finding; one
// row more in each file is dropped, with the warning at its line.
TEST(FullDataSetTest, EveryTableIsReadToItsCapacityAndNoFurther) {
  const fs::path dir = FreshTestFolder("full");
  WriteFullDataSet(dir);
  DiskLineReader files(dir);
  WaitCursor cursor;
  auto doc = std::make_unique<Document>();
  doc->settings.weekkind = 2;
  EXPECT_TRUE(CheckWholeLine(*doc, files, cursor).empty());
  EXPECT_EQ(doc->maxCalcStation, 100);
  EXPECT_FALSE(doc->kindTexts[kKindCapacity - 1][kind::kText1].empty());
  EXPECT_FALSE(doc->stationTexts[kStationCapacity - 1][station::kName].empty());
  EXPECT_NE(doc->mapValues[kMapItemCapacity - 1][map::kKind], 0);
  for (const auto& day : doc->trainValues) EXPECT_NE(day[kTrainCapacity - 1][train::kKind], 0);
  const std::pair<const char*, const char*> rows[] = {
      {"kind.txt", "1\t1\t1\tk\tz"}, {"eki.txt", "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tS"},
      {"map.txt", "42\t1"}, {"data3.txt", "1\t1\t0\t0\t0\t0\t0"}};
  for (const auto& [name, row] : rows) std::ofstream(dir / name, std::ios::app) << row << "\r\n";
  std::string found;
  for (const Finding& f : CheckWholeLine(*doc, files, cursor))
    found += f.file + ":" + std::to_string(f.line) + " " + std::to_string(f.code) + " ";
  EXPECT_EQ(found, "kind.txt:14 84 eki.txt:301 84 map.txt:2001 84 data3.txt:3002 84 ");
  fs::remove_all(dir);
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
  files.Set("map.txt", "101\t1\r\n42\r\n\r\n202\t2\t\t\t\t\t\t\t\t\t\t\tSecond diagram\r\n101\t9\t\t\t\t\t\t\t\t\t\t\tLater copy\r\n113\r\n"
                       "401\t\t\t\t\t\t\t\t\t\t\t\tNo display\r\n");
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->FindMapPage(1, 1), 0) << "the earlier of two equal headers";
  EXPECT_EQ(doc->FindMapPage(2, 2), 3) << "a page after the first empty item is found all the same";
  EXPECT_FALSE(doc->FindMapPage(2, 1).has_value());
  EXPECT_EQ(doc->FindMapPage(1, 13), 5);
  EXPECT_EQ(doc->MapStatusText(5, 2), "Second diagram");
  for (int mode : {4, 6, 7}) EXPECT_EQ(doc->MapStatusText(mode, 1), "") << "no page of the display, or no map display";
  doc->mapValues[kMapItemCapacity - 1][map::kKind] = 312;
  doc->mapTexts[kMapItemCapacity - 1] = "last";
  EXPECT_EQ(doc->MapStatusText(6, 12), "last");
}

}  // namespace
}  // namespace orbline
