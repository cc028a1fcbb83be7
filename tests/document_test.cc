#include "doc/document.h"

#include <gtest/gtest.h>

#include "doc_fixture.h"

namespace orbline {
namespace {

using DocumentTest = DocTest;

TEST_F(DocumentTest, DefaultSettingsWithoutProfileEntries) {
  EXPECT_EQ(doc->settings.kugiri, 0);
  EXPECT_EQ(doc->settings.kankaku, 5);
  EXPECT_EQ(doc->settings.weekkind, 0);
  EXPECT_EQ(doc->settings.top, 0);
  EXPECT_EQ(doc->settings.sec30, 1);
  EXPECT_EQ(doc->delimiter, "\t");
  EXPECT_EQ(doc->maxCalcStation, 0);
  EXPECT_EQ(doc->targetFileName, "");
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(DocumentTest, SettingsComeFromTheDataSectionAsTheyAre) {
  profile.WriteInt("data", "kugiri", 1);
  profile.WriteInt("data", "kankaku", 250);
  profile.WriteInt("data", "weekkind", -4);
  profile.WriteInt("data", "top", 7);
  profile.WriteInt("data", "30sec", 0);
  profile.WriteInt("mode", "kugiri", 2);  // another section is not read
  MakeDoc();
  EXPECT_EQ(doc->settings.kugiri, 1);
  EXPECT_EQ(doc->settings.kankaku, 250);
  EXPECT_EQ(doc->settings.weekkind, -4);
  EXPECT_EQ(doc->settings.top, 7);
  EXPECT_EQ(doc->settings.sec30, 0);
  EXPECT_EQ(doc->delimiter, ",");
}

TEST_F(DocumentTest, DelimiterFollowsKugiri) {
  const struct {
    int kugiri;
    const char* delimiter;
  } cases[] = {{0, "\t"}, {1, ","}, {2, " "}, {3, ""}, {7, ""}, {-1, ""}};
  for (const auto& c : cases) {
    profile.WriteInt("data", "kugiri", c.kugiri);
    MakeDoc();
    EXPECT_EQ(doc->delimiter, c.delimiter) << "kugiri " << c.kugiri;
  }
  // Changing to fixed width afterwards leaves the last delimiter in place.
  profile.WriteInt("data", "kugiri", 1);
  MakeDoc();
  doc->settings.kugiri = 3;
  doc->DeriveDelimiter();
  EXPECT_EQ(doc->delimiter, ",");
}

TEST_F(DocumentTest, SettingsAreWrittenBackOnDestructionInOrder) {
  MakeDoc();  // a fresh document over an empty profile
  profile = MemoryProfileStore();
  doc->settings.kugiri = 2;
  doc->settings.kankaku = 9;
  doc->settings.weekkind = 3;
  doc->settings.top = 1;
  doc->settings.sec30 = 0;
  EXPECT_FALSE(profile.Has("data", "kugiri")) << "nothing is written before the end";
  doc.reset();
  EXPECT_EQ(profile.writes(),
            (std::vector<std::string>{"data/kugiri", "data/kankaku", "data/weekkind", "data/top", "data/30sec"}));
  // The next start reads the changed values.
  MakeDoc();
  EXPECT_EQ(doc->settings.kugiri, 2);
  EXPECT_EQ(doc->settings.kankaku, 9);
  EXPECT_EQ(doc->settings.weekkind, 3);
  EXPECT_EQ(doc->settings.top, 1);
  EXPECT_EQ(doc->settings.sec30, 0);
  EXPECT_EQ(doc->delimiter, " ");
}

TEST_F(DocumentTest, ResetTablesEmptiesEveryRowAtFullCapacity) {
  Document& d = *doc;
  const auto fill = [&] {
    for (auto& t : d.routeInfo) t = "r";
    d.kindColour.fill(0x123456);
    for (auto& row : d.kindTexts) row.fill("k");
    for (auto& row : d.stationValues) row.fill(7);
    for (auto& row : d.stationTexts) row.fill("s");
    for (auto& row : d.mapValues) row.fill(9);
    d.mapTexts.fill(std::string(100, 'm'));
    for (auto& day : d.trainValues)
      for (auto& row : day) row.fill(65535);
    for (auto& day : d.trainTexts)
      for (auto& row : day) row.fill("t");
  };
  fill();
  d.maxCalcStation = 42;
  d.targetFileName = "line.zkf";
  d.settings.kankaku = 8;
  d.delimiter = ",";
  d.ResetTables();
  for (auto& t : d.routeInfo) EXPECT_EQ(t, "");
  for (int i = 0; i < kKindCapacity; ++i) {
    EXPECT_EQ(d.kindColour[i], 0u);
    EXPECT_EQ(d.kindTexts[i][0], "");
    EXPECT_EQ(d.kindTexts[i][1], "");
  }
  for (int i = 0; i < kStationCapacity; ++i) {
    for (uint16_t v : d.stationValues[i]) ASSERT_EQ(v, 0) << "station " << i;
    for (auto& t : d.stationTexts[i]) ASSERT_EQ(t, "") << "station " << i;
  }
  for (int i = 0; i < kMapItemCapacity; ++i) {
    for (uint16_t v : d.mapValues[i]) ASSERT_EQ(v, 0) << "map item " << i;
    ASSERT_EQ(d.mapTexts[i], "");
    ASSERT_EQ(d.mapTexts[i].capacity(), Text().capacity()) << "a long text gives its memory back";
  }
  for (int day = 0; day < kDayTypeCount; ++day)
    for (int i = 0; i < kTrainCapacity; ++i) {
      for (uint16_t v : d.trainValues[day][i]) ASSERT_EQ(v, 0) << day << "/" << i;
      for (auto& t : d.trainTexts[day][i]) ASSERT_EQ(t, "") << day << "/" << i;
    }
  // What outlives a command is kept.
  EXPECT_EQ(d.maxCalcStation, 42);
  EXPECT_EQ(d.targetFileName, "line.zkf");
  EXPECT_EQ(d.settings.kankaku, 8);
  EXPECT_EQ(d.delimiter, ",");
}

TEST_F(DocumentTest, ReportErrorShowsTheBoxWithStopIconAndApplicationCaption) {
  doc->ReportError(44, 7, 0);
  ASSERT_EQ(messages.messages().size(), 1u);
  const auto& m = messages.messages()[0];
  EXPECT_EQ(m.text, Box(44, "eki.txtの7行目の駅名が空欄です"));
  EXPECT_EQ(m.caption, "") << "empty caption: the application's title";
  EXPECT_EQ(m.icon, MessageIcon::kStop);
}

}  // namespace
}  // namespace orbline
