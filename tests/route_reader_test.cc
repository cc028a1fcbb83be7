// info.txt and kind.txt.
#include <gtest/gtest.h>

#include "doc/error_code.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

using RouteReaderTest = DocTest;

std::string Lines(int count) {
  std::string s;
  for (int i = 1; i <= count; ++i) s += "line" + std::to_string(i) + "\r\n";
  return s;
}

TEST_F(RouteReaderTest, FiveTextsThenTwentyRemarksLinesJoined) {
  files.Set("info.txt", Lines(3));
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(std::vector<std::string>(doc->routeInfo.begin(), doc->routeInfo.end()),
            (std::vector<std::string>{"line1", "line2", "line3", "", ""}));
  files.Set("info.txt", Lines(30));
  EXPECT_EQ(Read().ReadInfo(), 1);
  std::string expected = "line5";
  for (int i = 6; i <= 25; ++i) expected += "\r\nline" + std::to_string(i);
  EXPECT_EQ(doc->routeInfo[route::kRemarks], expected) << "lines 26 to 30 are not read";
  doc->ResetTables();
  files.Set("info.txt", "a\nb\nc\nd\n\n\nx\n\n");
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[route::kRemarks], "\r\n\r\nx\r\n") << "an empty line still appends a line break";
}

TEST_F(RouteReaderTest, EachModeCutsAnInfoLineAtItsFirstDelimiter) {
  files.Set("info.txt", "North Line,East\tWest\r\n");
  const std::pair<int, const char*> cases[] = {
      {FormatSettings::kComma, "North Line"}, {FormatSettings::kSpace, "North"}, {FormatSettings::kTab, "North Line,East"}};
  for (const auto& [kugiri, name] : cases) {
    UseSeparation(kugiri);
    EXPECT_EQ(Read().ReadInfo(), 1);
    EXPECT_EQ(doc->routeInfo[0], name);
  }
  UseSeparation(FormatSettings::kFixedWidth, 3);
  const std::string name = "  " + Sjis("表示線") + ",\tkept \x81 ";  // 表 has the trail byte 0x5C
  files.Set("info.txt", name + "\r\n");
  EXPECT_EQ(Read().ReadInfo(), 1);
  EXPECT_EQ(doc->routeInfo[0], Sjis("表示線") + ",\tkept \x81");
}

TEST_F(RouteReaderTest, KindColoursTextsAndMissingFields) {
  files.Set("kind.txt", "255\t128\t0\tA\tB\r\n256\t-1\t511\tx\t\r\n1\t2\n");
  EXPECT_EQ(Read().ReadKinds(), 1);
  // Red in the low byte; each component keeps its low 8 bits; missing fields are 0 and empty.
  EXPECT_EQ((std::vector<uint32_t>{doc->kindColour[0], doc->kindColour[1], doc->kindColour[2], doc->kindColour[3]}),
            (std::vector<uint32_t>{0x000080FF, 0x00FFFF00, 0x00000201, 0}));
  EXPECT_EQ(doc->kindTexts[0][kind::kText2], "B");
  EXPECT_EQ(doc->kindTexts[1][kind::kText1] + "|" + doc->kindTexts[1][kind::kText2] + "|" + doc->kindTexts[2][0], "x||");
  // Fixed width: the whole rest of the line is the first text.
  UseSeparation(FormatSettings::kFixedWidth, 4);
  files.Set("kind.txt", " 10  20  30  Local  train  \r\n");
  EXPECT_EQ(Read().ReadKinds(), 1);
  EXPECT_EQ(doc->kindColour[0], 10u + 20u * 256 + 30u * 65536);
  EXPECT_EQ(doc->kindTexts[0][kind::kText1] + "|" + doc->kindTexts[0][kind::kText2], "Local  train|");
}

TEST_F(RouteReaderTest, ThirteenKindsAreReadEmptyRowsIncluded) {
  std::string text;
  for (int i = 1; i <= 15; ++i) text += i == 3 ? "\r\n" : "1\t1\t1\tk" + std::to_string(i) + "\tz\r\n";
  files.Set("kind.txt", text);
  EXPECT_EQ(Read().ReadKinds(), 1);
  EXPECT_EQ(doc->kindTexts[2][0] + "|" + doc->kindTexts[3][0] + "|" + doc->kindTexts[12][0], "|k4|k13");
  ASSERT_EQ(findings.findings.size(), 1u);
  EXPECT_EQ(findings.findings[0].code, kWarnLinesDropped);
  EXPECT_EQ(findings.findings[0].line, 14) << "the first line not read";
}

TEST_F(RouteReaderTest, FilesMissingOrBroken) {
  EXPECT_EQ(Read().ReadInfo() + Read().ReadKinds(), 0);
  files.SetOpenFailure("info.txt", FileStatus::kOtherError);
  files.SetOpenFailure("kind.txt", FileStatus::kOtherError);
  EXPECT_EQ(Read().ReadInfo() + Read().ReadKinds(), 0);
  // A read error after two lines: the lines before it stay.
  files.SetFailingRead("info.txt", "one\r\ntwo\r\nthree\r\n", 12);
  EXPECT_EQ(Read().ReadInfo(), 0);
  EXPECT_EQ(doc->routeInfo[0] + doc->routeInfo[1], "onetwo");
  std::vector<std::string> places;
  for (const Finding& f : findings.findings) places.push_back(f.file + ":" + std::to_string(f.line) + " " + std::to_string(f.code));
  EXPECT_EQ(places, (std::vector<std::string>{"info.txt:0 21", "kind.txt:0 31", "info.txt:0 22", "kind.txt:0 32",
                                              "info.txt:0 22"}));
  EXPECT_EQ(waitCursor.shows, waitCursor.hides) << "the wait cursor ends on every path";
  EXPECT_EQ(waitCursor.depth(), 0);
}

}  // namespace
}  // namespace orbline
