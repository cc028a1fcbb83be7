#include "compiler/check_data.h"

#include <gtest/gtest.h>

#include "doc_fixture.h"

namespace orbline {
namespace {

class CheckDataTest : public DocTest {
 protected:
  void SetUp() override {
    doc = std::make_unique<Document>();
    for (int i = 0; i < 3; ++i) doc->stationTexts[i][station::kName] = "S";
    doc->mapValues[0][map::kKind] = 11;
    doc->mapValues[0][1] = 1;
    doc->mapValues[0][2] = 100;
    for (int d = 0; d < kDayTypeCount; ++d) {
      doc->trainValues[d][0][train::kKind] = 13;
      doc->trainValues[d][0][train::kCarType] = 100;
      doc->trainValues[d][0][train::kStationA] = 300;
    }
  }
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const auto& f : findings.findings) codes.push_back(f.code);
    return codes;
  }
};

TEST_F(CheckDataTest, CleanTablesPass) {
  EXPECT_EQ(CheckData(*doc, findings), 1);
  EXPECT_TRUE(findings.findings.empty());
}

TEST_F(CheckDataTest, StationRangesAreFatalWithTheRow) {
  const int fields[] = {station::kCalcStationNo, station::kLink1To, station::kLink1To2, station::kLink2To,
                        station::kLink2To2};
  for (int field : fields) {
    SetUp();
    findings.findings.clear();
    const uint16_t tooHigh = field == station::kCalcStationNo ? 301 : 101;
    doc->stationValues[1][field] = tooHigh;
    EXPECT_EQ(CheckData(*doc, findings), 0) << field;
    EXPECT_EQ(OnlyMessage(), Box(11, "[Eki]　2行\n計算駅番号が0～300以外")) << field;
    doc->stationValues[1][field] = tooHigh - 1;
    findings.findings.clear();
    EXPECT_EQ(CheckData(*doc, findings), 1) << field;
  }
}

TEST_F(CheckDataTest, RatioAndMissingTo2AreReportedAndCheckingGoesOn) {
  doc->stationValues[0][station::kRatio] = 100;
  doc->stationValues[0][station::kLink1To] = 3;
  doc->stationValues[0][station::kLink2To] = 4;
  doc->stationValues[2][station::kLink2To] = 5;
  doc->stationValues[2][station::kLink2To2] = 0;
  EXPECT_EQ(CheckData(*doc, findings), 1);
  EXPECT_EQ(Codes(), (std::vector<int>{12, 13, 13, 13}));
  EXPECT_EQ(findings.findings[0].BoxText(), Box(12, "[Eki]　％が0～99以外"));
  EXPECT_EQ(findings.findings[1].BoxText(), Box(13, "[Eki]　To駅の行き先To2が\n記入されていません"));
  // The non-fatal findings of a row come before a fatal one of a later row.
  findings.findings.clear();
  doc->stationValues[2][station::kCalcStationNo] = 400;
  EXPECT_EQ(CheckData(*doc, findings), 0);
  EXPECT_EQ(Codes(), (std::vector<int>{12, 13, 13, 11}));
}

TEST_F(CheckDataTest, StationsEndAtTheFirstEmptyName) {
  doc->stationValues[3][station::kCalcStationNo] = 999;  // row 4 has no name
  doc->stationTexts[4][station::kName] = "after the end";
  doc->stationValues[4][station::kCalcStationNo] = 999;
  EXPECT_EQ(CheckData(*doc, findings), 1);
}

TEST_F(CheckDataTest, MapStationReferences) {
  for (uint16_t kind : {11, 21, 31}) {
    for (int param : {1, 2}) {
      for (uint16_t bad : {0, 101, 65535}) {
        SetUp();
        findings.findings.clear();
        doc->mapValues[1][map::kKind] = kind;
        doc->mapValues[1][1] = 5;
        doc->mapValues[1][2] = 6;
        doc->mapValues[1][param] = bad;
        EXPECT_EQ(CheckData(*doc, findings), 0);
        EXPECT_EQ(OnlyMessage(), Box(14, "[Map]　2行\n計算駅番号が1～100以外"));
      }
    }
  }
  // Other kinds are not checked, and the list ends at kind 0.
  SetUp();
  findings.findings.clear();
  doc->mapValues[1][map::kKind] = 42;
  doc->mapValues[1][1] = 0;
  doc->mapValues[3][map::kKind] = 21;  // after the empty item 3
  EXPECT_EQ(CheckData(*doc, findings), 1);
}

TEST_F(CheckDataTest, TrainsOfEveryDayTypeInOrder) {
  const struct {
    int field;
    uint16_t value;
    int code;
    const char* message;
  } cases[] = {
      {train::kKind, 14, 15, "[Data]　3-2行\n種別が1～13以外"},
      {train::kCarType, 0, 16, "[Data]　3-2行\n車種が1～100以外"},
      {train::kCarType, 101, 16, "[Data]　3-2行\n車種が1～100以外"},
      {train::kStationA, 301, 17, "[Data]　3-2行\n計算駅が0～300以外"},
      {train::kStationB, 65535, 17, "[Data]　3-2行\n計算駅が0～300以外"},
  };
  for (const auto& c : cases) {
    SetUp();
    findings.findings.clear();
    doc->settings.weekkind = 1;  // the scheme does not matter: all three are checked
    auto& v = doc->trainValues[kSunday][1];
    v[train::kKind] = 1;
    v[train::kCarType] = 1;
    v[c.field] = c.value;
    EXPECT_EQ(CheckData(*doc, findings), 0) << c.code;
    EXPECT_EQ(OnlyMessage(), Box(c.code, c.message));
  }
  // Kind before car type before stations.
  SetUp();
  findings.findings.clear();
  doc->trainValues[kWeekday][0] = {};
  doc->trainValues[kWeekday][0][train::kKind] = 20;
  doc->trainValues[kWeekday][0][train::kStationA] = 999;
  EXPECT_EQ(CheckData(*doc, findings), 0);
  EXPECT_EQ(Codes(), (std::vector<int>{15}));
}

}  // namespace
}  // namespace orbline
