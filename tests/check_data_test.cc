// The cross-checks before writing, on tables the readers would not fill.
#include "compiler/check_data.h"

#include <gtest/gtest.h>

#include "document_fixture.h"

namespace orbline {
namespace {

class CheckDataTest : public DocTest {
 protected:
  // Three stations, a station link and a train in every day type, all within range.
  void SetUp() override {
    doc = std::make_unique<Document>();
    findings.findings.clear();
    for (int i = 0; i < 3; ++i) doc->stations[i].name = "S";
    doc->mapItems[0].values = {11, 1, 100};
    for (auto& day : doc->trains) day[0].values = {13, 100, 0, 0, 0, 300, 300};
  }
  // "code a-b" of each finding.
  std::vector<std::string> Found() const {
    std::vector<std::string> out;
    for (const Finding& f : findings.findings)
      out.push_back(std::to_string(f.code) + " " + std::to_string(f.a) + "-" + std::to_string(f.b));
    return out;
  }
  using Found_ = std::vector<std::string>;
};

// The station and map checks are tried on source files in tests/cases/checks.txt; what the readers
// refuse first can only reach these checks through the tables themselves.
TEST_F(CheckDataTest, ABadRatioGoesOnAndRowsAfterTheFirstWithoutANameAreNotChecked) {
  EXPECT_TRUE(CheckData(*doc, findings));
  doc->stations[0].values[Station::kRatio] = 100;
  doc->stations[2].values[Station::kCalcStationNo] = 301;
  doc->stations[4].values[Station::kCalcStationNo] = 999;
  doc->stations[4].name = "after the end";
  EXPECT_FALSE(CheckData(*doc, findings));
  EXPECT_EQ(Found(), (Found_{"12 0-0", "11 3-0"}));
}

TEST_F(CheckDataTest, TrainsOfEveryDayTypeWhateverTheScheme) {
  const struct {
    int field;
    uint16_t value;
    int code;
  } cases[] = {{Train::kKind, 14, 15},
               {Train::kCarType, 0, 16},
               {Train::kCarType, 101, 16},
               {Train::kStationA, 301, 17},
               {Train::kStationB, 65535, 17}};
  for (const auto& c : cases) {
    SetUp();
    doc->settings.weekkind = 1;
    auto& v = doc->trains[kSunday][1].values;
    v = {1, 1};
    v[c.field] = c.value;
    EXPECT_FALSE(CheckData(*doc, findings)) << c.code;
    EXPECT_EQ(Found(), Found_{std::to_string(c.code) + " 3-2"});
  }
  // Kind before car type before stations; each day type ends at its first train of kind 0.
  SetUp();
  doc->trains[kWeekday][1].values = {0, 0, 0, 0, 0, 999};
  doc->trains[kSaturday][0].values = {14, 0, 0, 0, 0, 999};
  EXPECT_FALSE(CheckData(*doc, findings));
  EXPECT_EQ(Found(), Found_{"15 2-1"});
  SetUp();
  doc->trains[kSaturday][0].values = {13, 0, 0, 0, 0, 999};
  EXPECT_FALSE(CheckData(*doc, findings, true));
  EXPECT_EQ(Found(), Found_{"16 2-1"}) << "one fault a train, going on";
}

TEST_F(CheckDataTest, EachFindingNamesTheSourceLineOfItsRow) {
  doc->stations[1].line = 7;
  doc->stations[1].values[Station::kLink1To] = 101;
  doc->mapItems[0].line = 12;
  doc->mapItems[0].values[1] = 0;
  doc->dayTypeFile = {1, 2, 2};
  doc->trains[kSaturday][0].line = 4;
  doc->trains[kSaturday][0].values[Train::kCarType] = 0;
  EXPECT_FALSE(CheckData(*doc, findings, true));
  std::vector<std::string> places;
  for (const Finding& f : findings.findings)
    places.push_back(f.file + ":" + std::to_string(f.line) + " " + std::to_string(f.a));
  EXPECT_EQ(places, (std::vector<std::string>{"eki.txt:7 7", "eki.txt:7 0", "map.txt:12 12", "data2.txt:4 2"}));
}

}  // namespace
}  // namespace orbline
