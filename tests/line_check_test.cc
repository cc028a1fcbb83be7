// Every fault of a line in one run, each at its line, and the warnings no fault gives.
#include "compiler/line_check.h"

#include <gtest/gtest.h>

#include "compiler/check_data.h"
#include "doc/error_code.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

// A tab-separated station: calc station, ratio, the texts.
std::string Station(int calcNo, int ratio, const std::string& name) {
  std::string s = std::to_string(calcNo);
  for (int k = 1; k < 12; ++k) s += "\t" + std::to_string(k == 10 ? ratio : 0);
  return s + "\tL\t" + name + "\r\n";
}

constexpr char kHead[] = "kind\tcar\tv2\tv3\tv4\tA\tB\t1\tx\ty\r\n";
std::string Train(int kind) { return std::to_string(kind) + "\t1\t0\t0\t0\t0\t0\t7\t0\t0\r\n"; }

// "file:line code" of each finding, in the order given.
std::vector<std::string> Places(const std::vector<Finding>& findings) {
  std::vector<std::string> out;
  for (const Finding& f : findings) out.push_back(f.file + ":" + std::to_string(f.line) + " " + std::to_string(f.code));
  return out;
}

class LineCheckTest : public DocTest {
 protected:
  // A line without a fault; each test breaks it where it wants.
  void SetUp() override {
    files.Set("info.txt", "Line\r\n");
    files.Set("kind.txt", "255\t0\t0\tLocal\tL\r\n");
    files.Set("eki.txt", Station(1, 0, "A") + Station(2, 0, "B"));
    files.Set("map.txt", "101\t0\t0\t0\r\n11\t1\t2\t0\t0\t0\t10\t10\r\n");
    files.Set("data1.txt", kHead + Train(1));
    files.Set("data2.txt", kHead + Train(1));
  }
  std::vector<Finding> All() { return CheckWholeLine(*doc, files, waitCursor); }
};

TEST_F(LineCheckTest, EveryFaultOfEveryFileOnceAtItsLine) {
  files.Set("eki.txt", Station(1, 0, "A") + Station(2, 100, "B") + Station(3, 0, "") + Station(301, 0, "D") +
                           "5\t7\t0\t0\t0\t8\t0\t0\t0\t0\t0\t0\tL\tE\r\n");
  files.Set("map.txt", "101\t0\t0\t0\r\n11\t1\t2\r\n21\t0\t5\r\n");
  doc->settings.top = 1;
  files.Set("data1.txt", "title\r\n" + std::string(kHead) + Train(1) + Train(0) + Train(1) + Train(14));
  files.Remove("data2.txt");  // it feeds Saturday and Sunday: one finding, not two
  const std::vector<Finding> all = All();
  EXPECT_EQ(Places(all), (std::vector<std::string>{"eki.txt:2 43", "eki.txt:3 44", "eki.txt:4 11", "eki.txt:5 13",
                                                   "map.txt:3 14", "data1.txt:4 63", "data1.txt:6 63",
                                                   "data2.txt:0 61"}));
  // The messages number what they always numbered: the line of eki.txt, the train's ordinal.
  EXPECT_EQ(all[2].BoxText(), Box(11, "[Eki]　4行\n計算駅番号が0～300以外"));
  EXPECT_EQ(all[5].BoxText(), Box(63, "data1.txtの2行目の種別が\n1～13以外です"));
  for (const Finding& f : all) EXPECT_TRUE(f.IsError());
  // Stopping at the first fault finds the bad ratio alone; its row stays in the table.
  FindingList first;
  EXPECT_FALSE(ReadAndCheck(*doc, files, first, waitCursor, FaultMode::kFirstFault));
  EXPECT_EQ(Places(first.findings), std::vector<std::string>{"eki.txt:2 43"});
  EXPECT_EQ(doc->stationValues[1][station::kRatio], 100);
  EXPECT_EQ(waitCursor.depth(), 0);
}

TEST_F(LineCheckTest, TheCrossChecksNameTheLinesOfTheRowsTheyReject) {
  doc->settings.top = 1;
  doc->settings.weekkind = 2;
  files.Set("data1.txt", "title\r\n" + std::string(kHead) + Train(1) + Train(1));
  files.Set("data2.txt", "title\r\n" + std::string(kHead) + Train(1));
  files.Set("data3.txt", "title\r\n" + std::string(kHead) + Train(1));
  FindingList found;
  ASSERT_TRUE(ReadAndCheck(*doc, files, found, waitCursor, FaultMode::kFirstFault));
  doc->trainValues[0][1][train::kCarType] = 0;
  doc->trainValues[2][0][train::kStationA] = 301;
  EXPECT_EQ(CheckData(*doc, found, true), 0);
  EXPECT_EQ(Places(found.findings), (std::vector<std::string>{"data1.txt:4 16", "data3.txt:3 17"}));
  EXPECT_EQ(found.findings[0].BoxText(), Box(16, "[Data]　1-2行\n車種が1～100以外"));
}

TEST_F(LineCheckTest, ABadHeaderColumnIsReportedOnceAndTheTrainsAreStillRead) {
  files.Set("data1.txt", "kind\tcar\tv2\tv3\tv4\tA\tB\t1\tx\ty\t120\tx\ty\t130\tx\ty\r\n" + Train(1) + Train(0));
  EXPECT_EQ(Places(All()), (std::vector<std::string>{"data1.txt:1 66", "data1.txt:3 63"}));
  EXPECT_EQ(doc->trainValues[0][0][train::TimeIndex(1)], 4200) << "the good column is stored";
}

TEST_F(LineCheckTest, WarningsNeverFail) {
  files.Set("kind.txt", "\xEF\xBB\xBF" "255\t0\t0\tLocal\tL\r\n");
  FindingList found;
  EXPECT_TRUE(ReadAndCheck(*doc, files, found, waitCursor, FaultMode::kFirstFault));
  EXPECT_EQ(Places(found.findings), std::vector<std::string>{"kind.txt:1 81"});
  EXPECT_FALSE(found.findings[0].IsError());
}

TEST_F(LineCheckTest, TextThatOnlyUtf8Reads) {
  const struct {
    std::string bytes;
    int line;  // of the warning; 0 for none
  } cases[] = {
      {"\xEF\xBB\xBF" "Line\r\n", 1},                  // a byte-order mark, ASCII after it
      {"Line\r\n2026\r\n\xE6\xB1\x90\xE5\x87\xAA\r\n", 3},  // 汐凪 in UTF-8, no mark
      {"Line\r\nVersion 1\r\n", 0},                     // ASCII is both
      {Sjis("汐凪高原線") + "\r\n", 0},                  // Shift_JIS
      {"\xC3\xA9\r\n", 0},  // ﾃｩ in Shift_JIS, é in UTF-8: Shift_JIS is taken
  };
  for (const auto& c : cases) {
    files.Set("info.txt", c.bytes);
    const std::vector<Finding> all = All();
    if (c.line == 0) {
      EXPECT_TRUE(all.empty()) << c.bytes;
    } else {
      EXPECT_EQ(Places(all), std::vector<std::string>{"info.txt:" + std::to_string(c.line) + " 81"}) << c.bytes;
    }
  }
}

TEST_F(LineCheckTest, SeparatorOtherThanTheSettingsSay) {
  files.Set("map.txt", "101\t0\t0\t0\r\n\r\n11,1,2,0,0,0,10,10\r\n42,0,0,5,5\r\n");
  EXPECT_EQ(Places(All()), (std::vector<std::string>{"map.txt:3 82", "map.txt:3 153"})) << "once, at the first such line";
  UseSeparation(FormatSettings::kComma);
  files.Set("kind.txt", "255 0 0 Local L\r\n");
  std::vector<Finding> all = All();
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(Places({all[0]}), std::vector<std::string>{"kind.txt:1 82"});
  // Fixed-width fields have no separator to miss.
  UseSeparation(FormatSettings::kFixedWidth);
  files.Set("kind.txt", "  255    0    0Local");
  all = All();
  for (const Finding& f : all) EXPECT_NE(f.code, kWarnSeparator) << f.file;
}

TEST_F(LineCheckTest, FullWidthDigitsReadAsZero) {
  doc->settings.weekkind = 1;  // data1.txt alone
  files.Set("data1.txt", "kind\tcar\tv2\tv3\tv4\tA\tB\t" + Sjis("１") + "\tx\ty\r\n" + Train(1));
  EXPECT_EQ(Places(All()), std::vector<std::string>{"data1.txt:1 83"});
  EXPECT_EQ(doc->maxCalcStation, 0) << "the header ends at the column read as 0";
  files.Set("data1.txt", std::string(kHead) + Sjis("１") + "\t1\t0\t0\t0\t0\t0\t7\t0\t0\r\n");
  EXPECT_EQ(Places(All()), (std::vector<std::string>{"data1.txt:2 83", "data1.txt:2 63"}));
  // A full-width digit inside a text is no number.
  files.Set("eki.txt", Station(1, 0, Sjis("第１")) + Station(2, 0, "B"));
  files.Set("data1.txt", kHead + Train(1));
  EXPECT_TRUE(All().empty());
}

}  // namespace
}  // namespace orbline
