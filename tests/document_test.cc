#include "doc/document.h"

#include <gtest/gtest.h>

#include "doc/error_code.h"
#include "doc_fixture.h"
#include "platform/memory_profile_store.h"
#include "platform/recording_message_sink.h"

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
  EXPECT_TRUE(findings.findings.empty());
}

TEST(FormatSettingsTest, ComeFromTheDataSectionAsTheyAreAndGoBackInOrder) {
  MemoryProfileStore profile;
  profile.WriteInt("data", "kugiri", 1);
  profile.WriteInt("data", "kankaku", 250);
  profile.WriteInt("data", "weekkind", -4);
  profile.WriteInt("data", "top", 7);
  profile.WriteInt("data", "30sec", 0);
  profile.WriteInt("mode", "kugiri", 2);  // another section is not read
  const FormatSettings s = FormatSettings::Load(profile);
  EXPECT_EQ(s.kugiri, 1);
  EXPECT_EQ(s.kankaku, 250);
  EXPECT_EQ(s.weekkind, -4);
  EXPECT_EQ(s.top, 7);
  EXPECT_EQ(s.sec30, 0);

  MemoryProfileStore written;
  s.Save(written);
  EXPECT_EQ(written.writes(),
            (std::vector<std::string>{"data/kugiri", "data/kankaku", "data/weekkind", "data/top", "data/30sec"}));
  const FormatSettings again = FormatSettings::Load(written);
  EXPECT_EQ(again.kankaku, 250);
  EXPECT_EQ(again.weekkind, -4);
}

TEST_F(DocumentTest, DelimiterFollowsKugiri) {
  const struct {
    int kugiri;
    const char* delimiter;
  } cases[] = {{0, "\t"}, {1, ","}, {2, " "}, {3, ""}, {7, ""}, {-1, ""}};
  for (const auto& c : cases) {
    Document fresh;
    fresh.delimiter.clear();
    fresh.settings.kugiri = c.kugiri;
    fresh.DeriveDelimiter();
    EXPECT_EQ(fresh.delimiter, c.delimiter) << "kugiri " << c.kugiri;
  }
  // Changing to fixed width afterwards leaves the last delimiter in place.
  UseSeparation(1);
  UseSeparation(3);
  EXPECT_EQ(doc->delimiter, ",");
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
