// map.txt and the page lookup.
#include <gtest/gtest.h>

#include "doc/error_code.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

using MapReaderTest = DocTest;

TEST_F(MapReaderTest, ItemsAreUnsignedWordsAndATextUpToTheNextDelimiter) {
  files.Set("map.txt", "101\t0\t64\t0\t0\t0\t0\t0\t0\t0\t0\t0\t" + Sjis("全線図") +
                           "\r\n42\t-5\t65536\t300\t12abc\tx\t\t\t\t\t\t\tignored\textra\r\n44\t1\t2\n");
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_TRUE(findings.findings.empty());
  const auto& v = doc->mapValues;
  EXPECT_EQ((std::vector<int>{v[0][0], v[0][2], v[1][1], v[1][2], v[1][3], v[1][4], v[1][5], v[2][2], v[2][3], v[3][0]}),
            (std::vector<int>{101, 64, 65531, 0, 300, 12, 0, 2, 0, 0}));
  EXPECT_EQ(doc->mapTexts[0] + "|" + doc->mapTexts[1], Sjis("全線図") + "|ignored");
  // Fixed width: the text is the rest of the line after the twelfth field, trimmed.
  UseSeparation(FormatSettings::kFixedWidth, 5);
  std::string line = "  101    0   64";
  for (int k = 0; k < 9; ++k) line += "    0";
  files.Set("map.txt", line + "  Page one title  \r\n");
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->mapValues[0][2], 64);
  EXPECT_EQ(doc->mapTexts[0], "Page one title");
}

TEST_F(MapReaderTest, TwoThousandLinesAreRead) {
  std::string text;
  for (int i = 0; i < 2500; ++i) text += std::to_string(42 + (i >= 2000)) + "\t" + std::to_string(i) + "\r\n";
  files.Set("map.txt", text);
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->mapValues[1999][map::kKind] * 10000 + doc->mapValues[1999][1], 42 * 10000 + 1999);
  ASSERT_EQ(findings.findings.size(), 1u);
  EXPECT_EQ(findings.findings[0].line, 2001) << "the first line not read";
}

TEST_F(MapReaderTest, PageLookupScansTheWholeTable) {
  files.Set("map.txt",
            "101\t1\r\n42\r\n\r\n"                                    // an empty item ends the table for the writer,
            "202\t2\t\t\t\t\t\t\t\t\t\t\tSecond diagram\r\n"          // but its pages are still found
            "101\t9\t\t\t\t\t\t\t\t\t\t\tLater copy\r\n113\r\n100\r\n");
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->FindMapPage(1, 1), 0) << "the earlier of two equal headers";
  EXPECT_EQ(doc->FindMapPage(2, 2), 3);
  EXPECT_FALSE(doc->FindMapPage(2, 1).has_value());
  EXPECT_EQ(doc->FindMapPage(1, 13), 5);
  EXPECT_EQ(doc->MapStatusText(5, 2), "Second diagram");
  for (int mode : {4, 6, 2, 7}) EXPECT_EQ(doc->MapStatusText(mode, mode == 2 || mode == 7 ? 2 : 1), "") << mode;
  doc->mapValues[kMapItemCapacity - 1][map::kKind] = 312;
  doc->mapTexts[kMapItemCapacity - 1] = "last";
  EXPECT_EQ(doc->MapStatusText(6, 12), "last");
}

TEST_F(MapReaderTest, MissingOrBrokenFile) {
  EXPECT_EQ(Read().ReadMap(), 0);
  files.SetFailingRead("map.txt", "42\t1\r\n42\t2\r\n42\t3\r\n", 12);
  EXPECT_EQ(Read().ReadMap(), 0);
  EXPECT_EQ(doc->mapValues[1][1] * 100 + doc->mapValues[2][map::kKind], 200) << "items before the error stay";
  ASSERT_EQ(findings.findings.size(), 2u);
  EXPECT_EQ(findings.findings[0].code * 100 + findings.findings[1].code, kErrMapNotFound * 100 + kErrMapUnknown);
  EXPECT_EQ(waitCursor.depth(), 0);
}

}  // namespace
}  // namespace orbline
