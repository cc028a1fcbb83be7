// What the readers do beyond the cases in tests/cases: tables read to their capacity, failing
// files, the page lookup, rows that stay stored where reading stopped.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bench/full_data_set.h"
#include "compiler/route_check.h"
#include "document/error_code.h"
#include "document_fixture.h"
#include "platform/disk_line_reader.h"
#include "test_files.h"

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
  auto doc = std::make_unique<Document>();
  doc->settings.weekkind = 2;
  EXPECT_TRUE(CheckWholeRoute(*doc, files).empty());
  EXPECT_EQ(doc->maxCalcStation, 100);
  EXPECT_EQ(RowsBeforeEnd(doc->kinds), kKindCapacity);
  EXPECT_EQ(RowsBeforeEnd(doc->stations), kStationCapacity);
  EXPECT_EQ(RowsBeforeEnd(doc->mapItems), kMapItemCapacity);
  for (const auto& day : doc->trains) EXPECT_EQ(RowsBeforeEnd(day), kTrainCapacity);
  EXPECT_EQ(doc->trains[kSunday][kTrainCapacity - 1].line, kTrainCapacity + 1) << "after the header";
  const std::pair<const char*, const char*> rows[] = {{"kind.txt", "1\t1\t1\tk\tz"},
                                                      {"eki.txt", "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tS"},
                                                      {"map.txt", "42\t1"},
                                                      {"data3.txt", "1\t1\t0\t0\t0\t0\t0"}};
  for (const auto& [name, row] : rows) std::ofstream(dir / name, std::ios::app) << row << "\r\n";
  std::string found;
  for (const Finding& f : CheckWholeRoute(*doc, files))
    found += f.file + ":" + std::to_string(f.line) + " " + std::to_string(f.code) + " ";
  EXPECT_EQ(found, "kind.txt:14 84 eki.txt:301 84 map.txt:2001 84 data3.txt:3002 84 ");
  fs::remove_all(dir);
}

TEST_F(ReadersTest, StoppingAtAFaultKeepsItsRowAndWhatCameBefore) {
  files.Set("eki.txt", "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tA\r\n7\t0\t0\t0\t0\t0\t0\t0\t0\t0\t150\r\n");
  EXPECT_FALSE(Read().ReadStations());
  EXPECT_EQ(doc->stations[1].ratio() * 100 + doc->stations[1].calcStationNo(), 15007);
  EXPECT_EQ(doc->stations[1].line, 2);
  files.Set("data3.txt",
            "k\tc\t2\t3\t4\tA\tB\r\n1\t1\t0\t0\t0\t300\t300\r\n14\t1\tx\r\n1\t1\t0\t0\t0\t0\t0\tnever\r\n");
  EXPECT_FALSE(Read().ReadTimetableFile(3, kSunday));
  const auto& sunday = doc->trains[kSunday];
  EXPECT_EQ(sunday[1].kind() * 1000 + sunday[0].values[Train::kStationA], 14300);
  EXPECT_EQ(sunday[1].line, 3);
  EXPECT_EQ(sunday[2].texts[0], "") << "reading stopped at it";
}

TEST_F(ReadersTest, FilesThatCannotBeOpenedOrRead) {
  // A read error after some lines: the lines before it stay.
  files.SetFailingRead("info.txt", "one\r\ntwo\r\nthree\r\n", 12);
  files.SetOpenFailure("kind.txt", FileStatus::kOtherError);
  files.SetFailingRead("eki.txt", "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tA\r\n1\t0\t0\t0\t0", 32);
  files.SetFailingRead("map.txt", "42\t1\r\n42\t2\r\n42\t3\r\n", 12);
  EXPECT_FALSE(Read().ReadInfo() || Read().ReadKinds() || Read().ReadStations() || Read().ReadMap());
  EXPECT_EQ(doc->routeInfo.texts[0] + doc->routeInfo.texts[1] + doc->stations[0].name, "onetwoA");
  EXPECT_EQ(doc->mapItems[1].param(1) * 100 + doc->mapItems[2].kind(), 200);
  std::vector<std::string> places;
  for (const Finding& f : findings.findings)
    places.push_back(f.file + ":" + std::to_string(f.line) + " " + std::to_string(f.code));
  EXPECT_EQ(places, (std::vector<std::string>{"info.txt:0 22", "kind.txt:0 32", "eki.txt:0 42", "map.txt:0 52"}));
}

TEST_F(ReadersTest, AFileFeedingSeveralDayTypesIsReadForEach) {
  files.Set("data1.txt", "k\tc\t2\t3\t4\tA\tB\r\n1\t1\t0\t0\t0\t0\t0\r\n");
  doc->settings.weekkind = 1;
  EXPECT_TRUE(Read().ReadTimetables());
  EXPECT_EQ(files.OpenCount("data1.txt") * 10 + files.OpenCount("data2.txt"), 30) << "scheme 1 never needs data2.txt";
  doc->settings.weekkind = 3;
  EXPECT_FALSE(Read().ReadTimetables());
  EXPECT_EQ(files.OpenCount("data1.txt") * 10 + files.OpenCount("data2.txt"), 51);
  doc->settings.weekkind = 2;
  files.Set("data2.txt", "");
  files.SetFailingRead("data3.txt", "k\tc\t2\t3\t4\tA\tB\r\n1\t1", 12);
  EXPECT_FALSE(Read().ReadTimetables());
  EXPECT_EQ(findings.findings.back().code, kErrDataUnknown);
}

TEST_F(ReadersTest, PageLookupScansTheWholeTable) {
  files.Set("map.txt",
            "101\t1\r\n42\r\n\r\n"
            "202\t2\t\t\t\t\t\t\t\t\t\t\tSecond diagram\r\n"
            "101\t9\t\t\t\t\t\t\t\t\t\t\tLater copy\r\n113\r\n"
            "401\t\t\t\t\t\t\t\t\t\t\t\tNo display\r\n");
  EXPECT_TRUE(Read().ReadMap());
  EXPECT_EQ(doc->FindMapPage(1, 1), 0) << "the earlier of two equal headers";
  EXPECT_EQ(doc->FindMapPage(2, 2), 3) << "a page after the first empty item is found all the same";
  EXPECT_FALSE(doc->FindMapPage(2, 1).has_value());
  EXPECT_EQ(doc->FindMapPage(1, 13), 5);
  EXPECT_EQ(doc->MapStatusText(5, 2), "Second diagram");
  for (int mode : {4, 6, 7}) EXPECT_EQ(doc->MapStatusText(mode, 1), "") << "no page of the display, or no map display";
  doc->mapItems[kMapItemCapacity - 1].values[0] = 312;
  doc->mapItems[kMapItemCapacity - 1].text = "last";
  EXPECT_EQ(doc->MapStatusText(6, 12), "last");
}

}  // namespace
}  // namespace orbline
