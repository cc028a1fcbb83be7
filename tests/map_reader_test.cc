// map.txt and the page lookup.
#include <gtest/gtest.h>

#include "doc/error_code.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

using MapReaderTest = DocTest;

TEST_F(MapReaderTest, ReadsItemsAsUnsignedWords) {
  files.Set("map.txt",
            "101\t0\t64\t0\t0\t0\t0\t0\t0\t0\t0\t0\t" + Sjis("全線図") + "\r\n"
            "11\t1\t2\t0\t100\t300\t400\t300\t255\t0\t0\t0\t\r\n"
            "42\t-5\t65536\t300\t12abc\tx\t\t\t\t\t\t\tignored\textra\r\n"
            "44\t1\t2\n");
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_TRUE(findings.findings.empty());
  EXPECT_EQ(doc->mapValues[0][map::kKind], 101);
  EXPECT_EQ(doc->mapValues[0][2], 64);
  EXPECT_EQ(doc->mapTexts[0], Sjis("全線図"));
  EXPECT_EQ(doc->mapValues[1][map::kKind], 11);
  EXPECT_EQ(doc->mapValues[1][4], 100);
  EXPECT_EQ(doc->mapValues[1][8], 255);
  EXPECT_EQ(doc->mapValues[2][1], 65531);
  EXPECT_EQ(doc->mapValues[2][2], 0);
  EXPECT_EQ(doc->mapValues[2][4], 12);
  EXPECT_EQ(doc->mapValues[2][5], 0);
  EXPECT_EQ(doc->mapTexts[2], "ignored") << "the text ends at the next delimiter";
  EXPECT_EQ(doc->mapValues[3][2], 2);
  EXPECT_EQ(doc->mapValues[3][3], 0) << "missing fields are 0";
  EXPECT_EQ(doc->mapValues[4][map::kKind], 0);
}

TEST_F(MapReaderTest, EmptyFileReadsAndLeavesTheTableEmpty) {
  files.Set("map.txt", "");
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->mapValues[0][map::kKind], 0);
  EXPECT_FALSE(doc->FindMapPage(1, 1).has_value());
  EXPECT_TRUE(findings.findings.empty());
}

TEST_F(MapReaderTest, OnlyTwoThousandLinesAreRead) {
  std::string text;
  for (int i = 0; i < 2500; ++i) text += std::to_string(42 + (i >= 2000)) + "\t" + std::to_string(i) + "\r\n";
  files.Set("map.txt", text);
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(OnlyMessage(), MakeFinding(kWarnLinesDropped, 2000, 0, "", 0).BoxText());
  EXPECT_EQ(findings.findings[0].line, 2001) << "the first line not read";
  EXPECT_EQ(doc->mapValues[1999][map::kKind], 42);
  EXPECT_EQ(doc->mapValues[1999][1], 1999);
}

TEST_F(MapReaderTest, PageLookupScansTheWholeTable) {
  files.Set("map.txt",
            "101\t1\r\n"
            "42\r\n"
            "\r\n"                     // an empty item ends the table for the writer...
            "202\t2\t\t\t\t\t\t\t\t\t\t\tSecond diagram\r\n"  // ...but its page is still found
            "101\t9\t\t\t\t\t\t\t\t\t\t\tLater copy\r\n"
            "113\r\n"
            "100\r\n");
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->FindMapPage(1, 1), 0) << "the earlier of two equal headers";
  EXPECT_EQ(doc->FindMapPage(2, 2), 3);
  EXPECT_FALSE(doc->FindMapPage(2, 1).has_value());
  EXPECT_EQ(doc->FindMapPage(1, 13), 5);
  EXPECT_EQ(doc->MapStatusText(5, 2), "Second diagram");
  EXPECT_EQ(doc->MapStatusText(4, 1), "") << "the first header has no title";
  EXPECT_EQ(doc->MapStatusText(6, 1), "");
  EXPECT_EQ(doc->MapStatusText(2, 2), "") << "not a map display";
  EXPECT_EQ(doc->MapStatusText(7, 2), "");
}

TEST_F(MapReaderTest, LastTableRowIsSearchedToo) {
  doc->mapValues[kMapItemCapacity - 1][map::kKind] = 312;
  doc->mapTexts[kMapItemCapacity - 1] = "last";
  EXPECT_EQ(doc->FindMapPage(3, 12), kMapItemCapacity - 1);
  EXPECT_EQ(doc->MapStatusText(6, 12), "last");
}

TEST_F(MapReaderTest, FixedWidthTextIsTheRestOfTheLine) {
  UseSeparation(FormatSettings::kFixedWidth, 5);
  std::string line = "  101    0   64";
  for (int k = 0; k < 9; ++k) line += "    0";
  line += "  Page one title  \r\n";
  files.Set("map.txt", line);
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->mapValues[0][map::kKind], 101);
  EXPECT_EQ(doc->mapValues[0][2], 64);
  EXPECT_EQ(doc->mapTexts[0], "Page one title");
}

TEST_F(MapReaderTest, MissingOrBrokenFile) {
  EXPECT_EQ(Read().ReadMap(), 0);
  EXPECT_EQ(OnlyMessage(), Box(51, "map.txtが見つかりません"));
  findings.findings.clear();
  files.SetFailingRead("map.txt", "42\t1\r\n42\t2\r\n42\t3\r\n", 12);
  EXPECT_EQ(Read().ReadMap(), 0);
  EXPECT_EQ(OnlyMessage(), Box(52, "map.txtで\n原因不明のエラー発生"));
  EXPECT_EQ(doc->mapValues[0][1], 1);
  EXPECT_EQ(doc->mapValues[1][1], 2);
  EXPECT_EQ(doc->mapValues[2][map::kKind], 0);
  EXPECT_EQ(waitCursor.depth(), 0);
}

}  // namespace
}  // namespace orbline
