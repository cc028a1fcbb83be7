// A line filled to every table's capacity, read from disk.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "bench/full_data_set.h"
#include "compiler/line_check.h"
#include "doc_fixture.h"
#include "platform/disk_line_reader.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

TEST(FullDataSetTest, EveryTableReadsToItsCapacityWithoutAMessage) {
  const fs::path dir = fs::temp_directory_path() / ("orbline-full-" + std::to_string(::getpid()));
  WrittenDataSet set = WriteFullDataSet(dir);
  EXPECT_GT(set.BytesOf("data1.txt"), 1000000u);

  DiskLineReader files(dir);
  FindingList findings;
  WaitCursor cursor;
  auto doc = std::make_unique<Document>();
  doc->settings.weekkind = 2;
  EXPECT_TRUE(ReadAndCheck(*doc, files, findings, cursor, FaultMode::kFirstFault));
  EXPECT_TRUE(findings.findings.empty());
  EXPECT_TRUE(CheckWholeLine(*doc, files, cursor).empty());
  fs::remove_all(dir);

  EXPECT_EQ(doc->maxCalcStation, 100);
  EXPECT_FALSE(doc->routeInfo[route::kRemarks].empty());
  EXPECT_EQ(std::count(doc->routeInfo[route::kRemarks].begin(), doc->routeInfo[route::kRemarks].end(), '\n'), 20);
  for (int i = 0; i < kKindCapacity; ++i) EXPECT_FALSE(doc->kindTexts[i][kind::kText1].empty()) << i;
  for (int i = 0; i < kStationCapacity; ++i) ASSERT_FALSE(doc->stationTexts[i][station::kName].empty()) << i;
  for (int i = 0; i < kMapItemCapacity; ++i) ASSERT_NE(doc->mapValues[i][map::kKind], 0) << i;
  for (int day = 0; day < kDayTypeCount; ++day)
    for (int i = 0; i < kTrainCapacity; ++i) ASSERT_NE(doc->trainValues[day][i][train::kKind], 0) << day << "/" << i;
  for (int m = 1; m <= map::kDisplayCount; ++m)
    for (int p = 1; p <= map::kPageCount; ++p) EXPECT_TRUE(doc->FindMapPage(m, p).has_value()) << m << "/" << p;
}

}  // namespace
}  // namespace orbline
