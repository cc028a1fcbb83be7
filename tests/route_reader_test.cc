// info.txt and kind.txt.
#include <gtest/gtest.h>

#include "doc/error_code.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

using RouteReaderTest = DocTest;

std::string Lines(int count, const char* prefix = "line") {
  std::string s;
  for (int i = 1; i <= count; ++i) s += prefix + std::to_string(i) + "\r\n";
  return s;
}

TEST_F(RouteReaderTest, InfoOfThreeLines) {
  files.Set("info.txt", Lines(3));
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[route::kRouteName], "line1");
  EXPECT_EQ(doc->routeInfo[route::kVersion], "line2");
  EXPECT_EQ(doc->routeInfo[route::kAuthor], "line3");
  EXPECT_EQ(doc->routeInfo[route::kEffectiveDate], "");
  EXPECT_EQ(doc->routeInfo[route::kRemarks], "");
  EXPECT_TRUE(findings.findings.empty());
}

TEST_F(RouteReaderTest, RemarksJoinLinesFiveToTwentyFive) {
  files.Set("info.txt", Lines(7));
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[route::kRemarks], "line5\r\nline6\r\nline7");

  doc->ResetTables();
  files.Set("info.txt", Lines(30));
  EXPECT_EQ(Read().ReadInfo(), 1);
  std::string expected = "line5";
  for (int i = 6; i <= 25; ++i) expected += "\r\nline" + std::to_string(i);
  EXPECT_EQ(doc->routeInfo[route::kRemarks], expected) << "lines 26 to 30 are ignored";
}

TEST_F(RouteReaderTest, EmptyRemarksLinesStillAppendALineBreak) {
  files.Set("info.txt", "a\nb\nc\nd\n\n\nx\n\n");
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[route::kRemarks], "\r\n\r\nx\r\n");
}

TEST_F(RouteReaderTest, DelimiterModesCutInfoLinesAtTheFirstDelimiter) {
  const std::string text = "North Line,East\tWest\r\n";
  UseSeparation(FormatSettings::kComma);
  files.Set("info.txt", text);
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[0], "North Line");
  UseSeparation(FormatSettings::kSpace);
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[0], "North");
  UseSeparation(FormatSettings::kTab);
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[0], "North Line,East");
  UseSeparation(FormatSettings::kFixedWidth, 3);
  files.Set("info.txt", "  whole line,\tkept  \r\n");
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[0], "whole line,\tkept");
}

TEST_F(RouteReaderTest, InfoTextsKeepTheirBytes) {
  // 表示 has a trail byte 0x5C; a lone lead byte ends the line.
  const std::string name = Sjis("ソフト表示線") + "\x81";
  files.Set("info.txt", name + "\r\n");
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[0], name);
}

TEST_F(RouteReaderTest, MissingOrBrokenInfo) {
  EXPECT_EQ(Read().ReadInfo(), 0);
  EXPECT_EQ(OnlyMessage(), Box(21, "info.txtが見つかりません"));
  findings.findings.clear();
  files.SetOpenFailure("info.txt", FileStatus::kOtherError);
  EXPECT_EQ(Read().ReadInfo(), 0);
  EXPECT_EQ(OnlyMessage(), Box(22, "info.txtで\n原因不明のエラー発生"));
  // A read error after two lines: the lines before it stay.
  findings.findings.clear();
  files.SetFailingRead("info.txt", "one\r\ntwo\r\nthree\r\n", 12);
  EXPECT_EQ(Read().ReadInfo(), 0);
  EXPECT_EQ(OnlyMessage(), Box(22, "info.txtで\n原因不明のエラー発生"));
  EXPECT_EQ(doc->routeInfo[0], "one");
  EXPECT_EQ(doc->routeInfo[1], "two");
  EXPECT_EQ(waitCursor.shows, waitCursor.hides) << "the wait cursor ends on every path";
  EXPECT_EQ(waitCursor.depth(), 0);
}

TEST_F(RouteReaderTest, KindColoursAndTexts) {
  files.Set("kind.txt",
            "255\t128\t0\tA\tB\r\n"
            "256\t-1\t511\tx\t\r\n"
            "1\t2\n");
  EXPECT_EQ(Read().ReadKinds(), 1);
  EXPECT_EQ(doc->kindColour[0], 0x000080FFu);
  EXPECT_EQ(doc->kindTexts[0][kind::kText1], "A");
  EXPECT_EQ(doc->kindTexts[0][kind::kText2], "B");
  // 256 keeps its low 8 bits (0), -1 gives 255, 511 gives 255.
  EXPECT_EQ(doc->kindColour[1], 0x00FFFF00u);
  EXPECT_EQ(doc->kindTexts[1][kind::kText1], "x");
  EXPECT_EQ(doc->kindTexts[1][kind::kText2], "");
  // Missing fields give colour component 0 and empty texts.
  EXPECT_EQ(doc->kindColour[2], 0x00000201u);
  EXPECT_EQ(doc->kindTexts[2][kind::kText1], "");
  EXPECT_EQ(doc->kindColour[3], 0u);
}

TEST_F(RouteReaderTest, KindsStopAtThirteenAndKeepEmptyRows) {
  std::string text;
  for (int i = 1; i <= 15; ++i) text += i == 3 ? "\r\n" : "1\t1\t1\tk" + std::to_string(i) + "\tz\r\n";
  files.Set("kind.txt", text);
  EXPECT_EQ(Read().ReadKinds(), 1);
  EXPECT_EQ(doc->kindTexts[1][0], "k2");
  EXPECT_EQ(doc->kindTexts[2][0], "") << "an empty line gives an empty row";
  EXPECT_EQ(doc->kindColour[2], 0u);
  EXPECT_EQ(doc->kindTexts[3][0], "k4") << "rows after an empty one are still read";
  EXPECT_EQ(doc->kindTexts[12][0], "k13");
  EXPECT_EQ(OnlyMessage(), MakeFinding(kWarnLinesDropped, 13, 0, "", 0).BoxText());
  EXPECT_EQ(findings.findings[0].line, 14) << "the first line not read";
}

TEST_F(RouteReaderTest, FixedWidthKindsPutTheRestIntoText1) {
  UseSeparation(FormatSettings::kFixedWidth, 4);
  files.Set("kind.txt", " 10  20  30  Local  train  \r\n");
  EXPECT_EQ(Read().ReadKinds(), 1);
  EXPECT_EQ(doc->kindColour[0], 10u + 20u * 256 + 30u * 65536);
  EXPECT_EQ(doc->kindTexts[0][kind::kText1], "Local  train");
  EXPECT_EQ(doc->kindTexts[0][kind::kText2], "");
}

TEST_F(RouteReaderTest, MissingOrBrokenKinds) {
  EXPECT_EQ(Read().ReadKinds(), 0);
  EXPECT_EQ(OnlyMessage(), Box(31, "kind.txtが見つかりません"));
  findings.findings.clear();
  files.SetOpenFailure("kind.txt", FileStatus::kOtherError);
  EXPECT_EQ(Read().ReadKinds(), 0);
  EXPECT_EQ(OnlyMessage(), Box(32, "kind.txtで\n原因不明のエラー発生"));
}

}  // namespace
}  // namespace orbline
