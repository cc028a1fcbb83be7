// The document's tables and settings.
#include "document/document.h"

#include <gtest/gtest.h>

#include "document/error_code.h"
#include "document_fixture.h"
#include "tests/memory_profile_store.h"
#include "tests/recording_message_sink.h"

namespace orbline {
namespace {

TEST(FormatSettingsTest, DefaultsThenTheDataSectionAsItIsAndBack) {
  MemoryProfileStore profile;
  FormatSettings s = FormatSettings::Load(profile);
  EXPECT_EQ((std::vector<int>{s.kugiri, s.kankaku, s.weekkind, s.top, s.sec30}), (std::vector<int>{0, 5, 0, 0, 1}));
  const std::vector<std::pair<const char*, int>> values = {
      {"kugiri", 1}, {"kankaku", 250}, {"weekkind", -4}, {"top", 7}, {"30sec", 0}};
  for (const auto& [key, value] : values) profile.WriteInt("data", key, value);
  profile.WriteInt("mode", "kugiri", 2);  // another section is not read
  MemoryProfileStore written;
  FormatSettings::Load(profile).Save(written);
  for (const auto& [key, value] : values) EXPECT_EQ(written.GetInt("data", key, 99), value) << key;
  // Fixed width keeps the delimiter of the separation before it.
  auto docHolder = std::make_unique<Document>();
  Document& doc = *docHolder;
  EXPECT_EQ(doc.delimiter, "\t");
  doc.settings.kugiri = 1;
  doc.DeriveDelimiter();
  doc.settings.kugiri = 3;
  doc.DeriveDelimiter();
  EXPECT_EQ(doc.delimiter, ",");
}

TEST(DocumentTest, ResetTablesEmptiesEveryRowAtFullCapacityAndKeepsWhatOutlivesACommand) {
  auto d = std::make_unique<Document>();
  for (auto& row : d->stationTexts) row.fill("s");
  for (auto& row : d->mapValues) row.fill(9);
  d->mapTexts.fill(std::string(100, 'm'));
  for (auto& day : d->trainValues)
    for (auto& row : day) row.fill(65535);
  d->kindColour.fill(1);
  d->routeInfo.fill("r");
  d->maxCalcStation = 42;
  d->targetFileName = "line.zkf";
  d->ResetTables();
  for (const auto& row : d->stationTexts) ASSERT_EQ(row[station::kName], "");
  for (int i = 0; i < kMapItemCapacity; ++i) {
    ASSERT_EQ(d->mapValues[i][kMapValueCount - 1], 0) << i;
    ASSERT_EQ(d->mapTexts[i].capacity(), Text().capacity()) << "a long text gives its memory back";
  }
  for (const auto& day : d->trainValues) ASSERT_EQ(day[kTrainCapacity - 1][kTrainValueCount - 1], 0);
  EXPECT_EQ(d->kindColour[kKindCapacity - 1], 0u);
  EXPECT_EQ(d->routeInfo[route::kRemarks], "");
  EXPECT_EQ(d->maxCalcStation, 42);
  EXPECT_EQ(d->targetFileName, "line.zkf");
}

TEST(BoxFindingsTest, AnErrorShowsTheStopBoxAndAWarningNone) {
  RecordingMessageSink messages;
  BoxFindings boxes(messages);
  boxes.Report(MakeFinding(44, 7, 0, "eki.txt", 7));
  boxes.Report(MakeFinding(kWarnUtf8, 0, 0, "eki.txt", 1));
  ASSERT_EQ(messages.messages().size(), 1u);
  const auto& m = messages.messages()[0];
  EXPECT_EQ(m.text, DocTest::Box(44, "eki.txtの7行目の駅名が空欄です"));
  EXPECT_EQ(m.caption, "") << "empty caption: the application's title";
  EXPECT_EQ(m.icon, MessageIcon::kStop);
}

}  // namespace
}  // namespace orbline
