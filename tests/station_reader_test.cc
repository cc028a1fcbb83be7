// eki.txt.
#include <gtest/gtest.h>

#include "doc/error_code.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

using StationReaderTest = DocTest;

// A tab-separated station line: the calc station, ten numbers 3, 6, …, the ratio, the texts.
std::string Station(int calcNo, const std::string& ratio, const std::string& name, const std::string& note = "") {
  std::string s = std::to_string(calcNo);
  for (int k = 1; k < 12; ++k) s += "\t" + (k == 10 ? ratio : std::to_string(k * 3));
  return s + "\tL\t" + name + "\t" + note + "\r\n";
}

TEST_F(StationReaderTest, NumbersAreTheLow16BitsAndTextsTheirBytes) {
  files.Set("eki.txt", Station(1, "50", Sjis("青葉"), Sjis("始発")) + "70000\t-1\t101\t0\t0\t0\t0\t0\t0\t0\t99\t0\t\tB\r\n");
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_TRUE(findings.findings.empty());
  const auto& v = doc->stationValues;
  EXPECT_EQ((std::vector<int>{v[0][0], v[0][1], v[0][9], v[0][10], v[0][11], v[1][0], v[1][1], v[1][2], v[1][10]}),
            (std::vector<int>{1, 3, 27, 50, 33, 4464, 65535, 101, 99}));
  EXPECT_EQ(doc->stationTexts[0][station::kName] + "|" + doc->stationTexts[0][station::kNote],
            Sjis("青葉") + "|" + Sjis("始発"));
  EXPECT_EQ(doc->stationTexts[1][station::kLabel] + "|" + doc->stationTexts[1][station::kName], "|B");
  EXPECT_EQ(doc->stationTexts[2][station::kName], "") << "the table ends after the last line";
}

TEST_F(StationReaderTest, ABadRatioOrABlankNameStopsTheReadAtItsLine) {
  const struct {
    std::string text;
    int code, line;
  } cases[] = {
      {Station(1, "99", "Ok") + Station(2, "100", "Bad") + Station(3, "0", "Never"), kErrEkiRatio, 2},
      {Station(1, "0", "A") + Station(2, "-1", "Bad"), kErrEkiRatio, 2},  // -1 is 65535
      {Station(1, "0", "A") + "\r\n" + Station(2, "0", "B"), kErrEkiNameBlank, 2},
      {Station(1, "0", "A") + Station(2, "0", "B") + "\r\n", kErrEkiNameBlank, 3},  // a final empty line
      {"1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\r\n", kErrEkiNameBlank, 1},             // numbers, no texts
      {"0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t150\r\n", kErrEkiRatio, 1},                     // both: the ratio first
  };
  for (const auto& c : cases) {
    doc->ResetTables();
    findings.findings.clear();
    files.Set("eki.txt", c.text);
    EXPECT_EQ(Read().ReadStations(), 0) << c.text;
    EXPECT_EQ(OnlyMessage(), MakeFinding(c.code, c.line, 0, "", 0).BoxText()) << c.text;
    EXPECT_EQ(findings.findings[0].line, c.line);
    EXPECT_EQ(doc->stationTexts[c.line][station::kName], "") << "reading stopped there";
  }
  EXPECT_EQ(doc->stationValues[0][station::kRatio], 150) << "the rejected row stays stored";
}

TEST_F(StationReaderTest, ThreeHundredLinesAreRead) {
  std::string text;
  for (int i = 1; i <= 300; ++i) text += Station(i, "0", "S" + std::to_string(i));
  files.Set("eki.txt", text + "garbage line that would fail\r\n");
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_EQ(doc->stationTexts[299][station::kName], "S300");
  ASSERT_EQ(findings.findings.size(), 1u);
  EXPECT_EQ(findings.findings[0].code, kWarnLinesDropped);
  EXPECT_EQ(findings.findings[0].line, 301);
}

TEST_F(StationReaderTest, FixedWidthNameTakesTheRestAndACommaInANameMakesANote) {
  UseSeparation(FormatSettings::kFixedWidth, 4);
  std::string line;
  for (int k = 0; k < 12; ++k) line += "  " + std::to_string(10 + k);
  files.Set("eki.txt", line + "  ab  " + Sjis("駅名") + " (note)  \r\n");
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_EQ(doc->stationValues[0][station::kValue11], 21);
  EXPECT_EQ(doc->stationTexts[0][station::kLabel] + "|" + doc->stationTexts[0][station::kName] + "|" +
                doc->stationTexts[0][station::kNote],
            "ab|" + Sjis("駅名") + " (note)|");
  UseSeparation(FormatSettings::kComma);
  files.Set("eki.txt", "1,0,0,0,0,0,0,0,0,0,0,0,L,Nishi,Higashi,extra\r\n");
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_EQ(doc->stationTexts[0][station::kName] + "|" + doc->stationTexts[0][station::kNote], "Nishi|Higashi");
}

TEST_F(StationReaderTest, MissingOrBrokenFile) {
  EXPECT_EQ(Read().ReadStations(), 0);
  files.SetFailingRead("eki.txt", Station(1, "0", "A") + Station(2, "0", "B"), 40);
  EXPECT_EQ(Read().ReadStations(), 0);
  EXPECT_EQ(doc->stationTexts[0][station::kName], "A") << "rows read before the error stay";
  ASSERT_EQ(findings.findings.size(), 2u);
  EXPECT_EQ(findings.findings[0].code * 100 + findings.findings[1].code, kErrEkiNotFound * 100 + kErrEkiUnknown);
  EXPECT_EQ(waitCursor.depth(), 0);
}

}  // namespace
}  // namespace orbline
