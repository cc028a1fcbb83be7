// The document's tables and settings.
#include "document/document.h"

#include <gtest/gtest.h>

#include "document/day_type_scheme.h"
#include "document_fixture.h"
#include "tests/memory_profile_store.h"

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
  auto doc = std::make_unique<Document>();
  EXPECT_EQ(doc->delimiter, "\t");
  doc->settings.kugiri = 1;
  doc->DeriveDelimiter();
  doc->settings.kugiri = 3;
  doc->DeriveDelimiter();
  EXPECT_EQ(doc->delimiter, ",");
}

TEST(DocumentTest, ResetTablesEmptiesEveryRowAtFullCapacityAndKeepsWhatOutlivesACommand) {
  auto d = std::make_unique<Document>();
  for (Station& s : d->stations) s.name = "s";
  for (MapItem& m : d->mapItems) {
    m.values.fill(9);
    m.text = std::string(100, 'm');
    m.line = 3;
  }
  for (auto& day : d->trains)
    for (Train& t : day) t.values.fill(65535);
  for (Kind& k : d->kinds) k.colour = 1;
  d->routeInfo.texts.fill("r");
  d->maxCalcStation = 42;
  d->targetFileName = "line.zkf";
  d->ResetTables();
  for (const Station& s : d->stations) ASSERT_EQ(s.name, "");
  for (const MapItem& m : d->mapItems) {
    ASSERT_EQ(m.values[MapItem::kValueCount - 1], 0);
    ASSERT_EQ(m.line, 0);
    ASSERT_EQ(m.text.capacity(), Text().capacity()) << "a long text gives its memory back";
  }
  for (const auto& day : d->trains) ASSERT_EQ(day[kTrainCapacity - 1].values[Train::kValueCount - 1], 0);
  EXPECT_EQ(d->kinds[kKindCapacity - 1].colour, 0u);
  EXPECT_EQ(d->routeInfo.texts[RouteInfo::kRemarks], "");
  EXPECT_EQ(d->maxCalcStation, 42);
  EXPECT_EQ(d->targetFileName, "line.zkf");
}

TEST(DayTypeSchemeTest, WhichFileFeedsEachDayAndNothingOutOfRange) {
  std::string files;
  for (int weekkind = -1; weekkind <= kWeekkindCount; ++weekkind, files += '|')
    for (int day = -1; day <= kDayTypeCount; ++day) files += std::to_string(TimetableFileFor(weekkind, day));
  EXPECT_EQ(files, "00000|01220|01110|01230|01120|00000|");
}

}  // namespace
}  // namespace orbline
