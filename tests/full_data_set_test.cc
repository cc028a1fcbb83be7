// A line filled to every table's capacity, read from disk: every row is read and nothing is said.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "bench/full_data_set.h"
#include "compiler/line_check.h"
#include "document_fixture.h"
#include "platform/disk_line_reader.h"

namespace orbline {
namespace {

TEST(FullDataSetTest, EveryTableReadsToItsCapacityWithoutAFinding) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("orbline-full-" + std::to_string(::getpid()));
  WriteFullDataSet(dir);
  DiskLineReader files(dir);
  WaitCursor cursor;
  auto doc = std::make_unique<Document>();
  doc->settings.weekkind = 2;
  EXPECT_TRUE(CheckWholeLine(*doc, files, cursor).empty());
  std::filesystem::remove_all(dir);
  EXPECT_EQ(doc->maxCalcStation, 100);
  EXPECT_FALSE(doc->kindTexts[kKindCapacity - 1][kind::kText1].empty());
  EXPECT_FALSE(doc->stationTexts[kStationCapacity - 1][station::kName].empty());
  EXPECT_NE(doc->mapValues[kMapItemCapacity - 1][map::kKind], 0);
  for (const auto& day : doc->trainValues) EXPECT_NE(day[kTrainCapacity - 1][train::kKind], 0);
}

}  // namespace
}  // namespace orbline
