// eki.txt.
#include <gtest/gtest.h>

#include "doc/error_code.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

using StationReaderTest = DocTest;

// A tab-separated station line: twelve numbers, label, name, note.
std::string Station(int calcNo, int ratio, const std::string& name, const std::string& note = "",
                    const std::string& label = "L") {
  std::string s = std::to_string(calcNo);
  for (int k = 1; k < 12; ++k) s += "\t" + std::to_string(k == 10 ? ratio : k * 3);
  return s + "\t" + label + "\t" + name + "\t" + note + "\r\n";
}

TEST_F(StationReaderTest, ReadsNumbersAndTexts) {
  files.Set("eki.txt", Station(1, 50, Sjis("青葉"), Sjis("始発")) +
                           "70000\t-1\t101\t0\t0\t0\t0\t0\t0\t0\t99\t0\t\tB\r\n");
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_TRUE(findings.findings.empty());
  const auto& v0 = doc->stationValues[0];
  EXPECT_EQ(v0[station::kCalcStationNo], 1);
  EXPECT_EQ(v0[station::kLink1To], 3);
  EXPECT_EQ(v0[station::kValue9], 27);
  EXPECT_EQ(v0[station::kRatio], 50);
  EXPECT_EQ(v0[station::kValue11], 33);
  EXPECT_EQ(doc->stationTexts[0][station::kLabel], "L");
  EXPECT_EQ(doc->stationTexts[0][station::kName], Sjis("青葉"));
  EXPECT_EQ(doc->stationTexts[0][station::kNote], Sjis("始発"));
  // Values out of range pass the reader, as their low 16 bits.
  const auto& v1 = doc->stationValues[1];
  EXPECT_EQ(v1[station::kCalcStationNo], 4464);
  EXPECT_EQ(v1[station::kLink1To], 65535);
  EXPECT_EQ(v1[station::kLink1To2], 101);
  EXPECT_EQ(v1[station::kRatio], 99);
  EXPECT_EQ(doc->stationTexts[1][station::kLabel], "");
  EXPECT_EQ(doc->stationTexts[1][station::kName], "B");
  EXPECT_EQ(doc->stationTexts[1][station::kNote], "");
  EXPECT_EQ(doc->stationTexts[2][station::kName], "") << "the table ends after the last line";
}

TEST_F(StationReaderTest, RatioOfHundredOrMoreStopsTheRead) {
  for (const char* ratio : {"100", "-1", "65535"}) {
    doc->ResetTables();
    findings.findings.clear();
    std::string bad = Station(2, 0, "Bad");
    bad.replace(bad.find("\t0\t"), 3, std::string("\t") + ratio + "\t");
    files.Set("eki.txt", Station(1, 99, "Ok") + bad + Station(3, 0, "Never"));
    EXPECT_EQ(Read().ReadStations(), 0) << ratio;
    EXPECT_EQ(OnlyMessage(), Box(43, "eki.txtの2行目の割合が\n0～99%になっていません"));
    EXPECT_EQ(doc->stationTexts[1][station::kName], "Bad") << "the rejected row stays stored";
    EXPECT_EQ(doc->stationTexts[2][station::kName], "") << "reading stopped there";
  }
}

TEST_F(StationReaderTest, BlankNameStopsTheRead) {
  // An empty line in the middle: all fields empty, ratio 0, so the name check reports it.
  files.Set("eki.txt", Station(1, 0, "A") + "\r\n" + Station(2, 0, "B"));
  EXPECT_EQ(Read().ReadStations(), 0);
  EXPECT_EQ(OnlyMessage(), Box(44, "eki.txtの2行目の駅名が空欄です"));
  EXPECT_EQ(doc->stationTexts[0][station::kName], "A");
}

TEST_F(StationReaderTest, FinalEmptyLineCountsButFinalBreakDoesNot) {
  files.Set("eki.txt", Station(1, 0, "A") + Station(2, 0, "B"));
  EXPECT_EQ(Read().ReadStations(), 1);
  files.Set("eki.txt", Station(1, 0, "A") + Station(2, 0, "B") + "\r\n");
  EXPECT_EQ(Read().ReadStations(), 0);
  EXPECT_EQ(OnlyMessage(), Box(44, "eki.txtの3行目の駅名が空欄です"));
}

TEST_F(StationReaderTest, TwelveNumbersWithoutTexts) {
  files.Set("eki.txt", "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\r\n");
  EXPECT_EQ(Read().ReadStations(), 0);
  EXPECT_EQ(OnlyMessage(), Box(44, "eki.txtの1行目の駅名が空欄です"));
  EXPECT_EQ(doc->stationValues[0][station::kValue11], 12);
}

TEST_F(StationReaderTest, BadRatioAndBlankNameReportsTheRatio) {
  files.Set("eki.txt", "0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t150\r\n");
  EXPECT_EQ(Read().ReadStations(), 0);
  EXPECT_EQ(OnlyMessage(), Box(43, "eki.txtの1行目の割合が\n0～99%になっていません"));
}

TEST_F(StationReaderTest, OnlyThreeHundredLinesAreRead) {
  std::string text;
  for (int i = 1; i <= 300; ++i) text += Station(i, 0, "S" + std::to_string(i));
  text += "garbage line that would fail\r\n";
  files.Set("eki.txt", text);
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_EQ(OnlyMessage(), MakeFinding(kWarnLinesDropped, 300, 0, "", 0).BoxText());
  EXPECT_EQ(findings.findings[0].line, 301) << "the first line not read";
  EXPECT_EQ(doc->stationTexts[299][station::kName], "S300");
  EXPECT_EQ(doc->stationValues[299][station::kCalcStationNo], 300);
}

TEST_F(StationReaderTest, FixedWidthNameTakesTheRest) {
  UseSeparation(FormatSettings::kFixedWidth, 4);
  std::string line;
  for (int k = 0; k < 12; ++k) line += "  " + std::to_string(10 + k);
  line += "  ab  " + Sjis("駅名") + " (note)  \r\n";
  files.Set("eki.txt", line);
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_EQ(doc->stationValues[0][station::kCalcStationNo], 10);
  EXPECT_EQ(doc->stationValues[0][station::kValue11], 21);
  EXPECT_EQ(doc->stationTexts[0][station::kLabel], "ab");
  EXPECT_EQ(doc->stationTexts[0][station::kName], Sjis("駅名") + " (note)");
  EXPECT_EQ(doc->stationTexts[0][station::kNote], "");
}

TEST_F(StationReaderTest, CommaInNameBecomesTheNote) {
  UseSeparation(FormatSettings::kComma);
  files.Set("eki.txt", "1,0,0,0,0,0,0,0,0,0,0,0,L,Nishi,Higashi,extra\r\n");
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_EQ(doc->stationTexts[0][station::kName], "Nishi");
  EXPECT_EQ(doc->stationTexts[0][station::kNote], "Higashi");
}

TEST_F(StationReaderTest, MissingOrBrokenFile) {
  EXPECT_EQ(Read().ReadStations(), 0);
  EXPECT_EQ(OnlyMessage(), Box(41, "eki.txtが見つかりません"));
  findings.findings.clear();
  files.SetFailingRead("eki.txt", Station(1, 0, "A") + Station(2, 0, "B"), 40);
  EXPECT_EQ(Read().ReadStations(), 0);
  EXPECT_EQ(OnlyMessage(), Box(42, "eki.txtで\n原因不明のエラー発生"));
  EXPECT_EQ(doc->stationTexts[0][station::kName], "A") << "rows read before the error stay";
  EXPECT_EQ(waitCursor.depth(), 0);
}

}  // namespace
}  // namespace orbline
