#include "document/field_splitter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace orbline {
namespace {

FieldSplitter Splitter(int kugiri, int kankaku = 5) {
  FormatSettings s;
  s.kugiri = kugiri;
  s.kankaku = kankaku;
  std::string delimiter;
  DeriveDelimiter(kugiri, delimiter);
  return FieldSplitter(s, delimiter);
}

// Every field of `line`, cut with `takeRest` 0, until the line is used up, plus one more call.
std::vector<std::string> Fields(const FieldSplitter& split, std::string_view line, int extra = 1) {
  std::vector<std::string> out;
  while (!line.empty()) out.emplace_back(split.Split(line, false));
  for (int i = 0; i < extra; ++i) out.emplace_back(split.Split(line, false));
  return out;
}

using V = std::vector<std::string>;

TEST(FieldSplitterTest, DelimitedFieldsAreNeitherTrimmedNorMerged) {
  const struct {
    int kugiri;
    const char* line;
    V fields;  // every field, then one more call at the end of the line
  } cases[] = {
      {FormatSettings::kComma, "12,,7", {"12", "", "7", ""}},
      {FormatSettings::kComma, " 5 , x", {" 5 ", " x", ""}},  // atoi still reads " 5 " as 5
      {FormatSettings::kComma, "a,", {"a", ""}},              // a trailing delimiter ends the line
      {FormatSettings::kComma, "abc def", {"abc def", ""}},
      {FormatSettings::kSpace, "a  b", {"a", "", "b", ""}},  // runs of blanks are not merged
      {FormatSettings::kSpace, "a\tb c", {"a\tb", "c", ""}},
      {7, "a,b\tc d", {"a,b\tc d", ""}},  // kugiri out of range: no delimiter at all
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(Splitter(c.kugiri), c.line), c.fields) << c.line;
  // takeRest changes nothing with a delimiter.
  auto tab = Splitter(FormatSettings::kTab);
  std::string_view line = "a\tb";
  EXPECT_EQ(tab.Split(line, true), "a");
  EXPECT_EQ(line, "b");
}

TEST(FieldSplitterTest, DelimiterSearchStepsOverDoubleByteCharacters) {
  auto comma = Splitter(FormatSettings::kComma);
  // 表 is 0x95 0x5C and ソ is 0x83 0x5C: their trail bytes are a backslash, not a delimiter.
  // 、 (0x81 0x41) and Ａ (0x82 0x60) hold no comma either.
  EXPECT_EQ(Fields(comma, "\x95\x5C\x83\x5C,\x81\x41\x82\x60", 0), (V{"\x95\x5C\x83\x5C", "\x81\x41\x82\x60"}));
  // A lead byte directly before the delimiter: the comma can never be a trail byte, so it still
  // separates, and the lone lead byte stays at the end of the first field.
  EXPECT_EQ(Fields(comma, "x\x81,y", 0), (V{"x\x81", "y"}));
  // A lone lead byte at the very end is kept and nothing is read past it.
  std::string buffer = "ab\x81ZZZ";
  std::string_view line(buffer.data(), 3);
  EXPECT_EQ(comma.Split(line, false), "ab\x81");
  EXPECT_TRUE(line.empty());
  // A NUL byte is an ordinary byte.
  EXPECT_EQ(Fields(comma, std::string("a\0b,c", 5), 0), (V{std::string("a\0b", 3), "c"}));
}

TEST(FieldSplitterTest, FixedWidthCutsTrimsAndTakesTheRest) {
  auto fixed = Splitter(FormatSettings::kFixedWidth, 5);
  // "  12    7": the first five bytes are two blanks, 12 and a blank.
  EXPECT_EQ(Fields(fixed, "  12    7", 1), (V{"12", "7", ""}));
  // Only single-byte white space is trimmed; the full-width space (0x81 0x40) stays.
  EXPECT_EQ(Fields(fixed, "\t\x81\x40x \r\n", 0), (V{"\x81\x40x", ""}));
  EXPECT_EQ(Fields(fixed, "abcde", 0), (V{"abcde"})) << "a line as long as the width is one field";
  // What remains is not trimmed; takeRest takes all of it, trimmed.
  std::string_view line = "1    rest of line  ";
  EXPECT_EQ(fixed.Split(line, false), "1");
  EXPECT_EQ(line, "rest of line  ");
  EXPECT_EQ(fixed.Split(line, true), "rest of line");
  EXPECT_TRUE(line.empty());
  // "a駅b": 駅 is 0x89 0x77 ('w'); the boundary after two bytes falls between its two bytes.
  EXPECT_EQ(Fields(Splitter(FormatSettings::kFixedWidth, 2), "a\x89wb", 0), (V{"a\x89", "wb"}));
  // A width of 0 or less never shrinks the line; takeRest still takes it.
  for (int width : {0, -3}) {
    line = "12345";
    EXPECT_EQ(Splitter(FormatSettings::kFixedWidth, width).Split(line, false), "");
    EXPECT_EQ(Splitter(FormatSettings::kFixedWidth, width).Split(line, true), "12345") << width;
  }
}

TEST(AtoiTest, ReadsLikeTheCRuntimeAndTableWordsAreTheLow16Bits) {
  // clang-format off
  const std::pair<std::string, int> numbers[] = {
      {"12", 12}, {"\t\r\n\v\f 42", 42}, {"+7", 7}, {"-1", -1}, {"12abc", 12}, {"05", 5}, {"abc", 0}, {"", 0},
      {"-", 0}, {"+-3", 0}, {"- 3", 0}, {"\x82\x50", 0} /* a full-width digit */, {std::string{'4', '\0', '9'}, 4}};
  // clang-format on
  for (const auto& [text, value] : numbers) EXPECT_EQ(Atoi(text), value) << text;
  EXPECT_EQ(Atoi(std::string_view("123456").substr(0, 2)), 12) << "reading stops at the end of the field";
  // 99999999999 is 0x174876E7FF; overflowing digits keep the true low 16 bits.
  const std::pair<const char*, uint16_t> words[] = {{"-1", 65535},   {"-10", 65526},          {"65536", 0},
                                                    {"70000", 4464}, {"99999999999", 0xE7FF}, {"-99999999999", 0x1801}};
  for (const auto& [text, word] : words) EXPECT_EQ(static_cast<uint16_t>(Atoi(text)), word) << text;
  EXPECT_EQ(TrimBlanks(" \t\r\n a b \n\r\t "), "a b");
  EXPECT_EQ(std::string(TrimBlanks("   ")) + std::string(TrimBlanks("\x81\x40")), "\x81\x40");
}

TEST(FieldSplitterTest, SplitIntIsAtoiOfTheNextField) {
  std::mt19937 rng(99);
  static const char kBytes[] = "0123456789 \t,+-\r\vab\x81\x40";
  for (int kugiri : {0, 1, 2, 3, 9}) {
    for (int kankaku : {0, 1, 3, 5}) {
      auto split = Splitter(kugiri, kankaku);
      for (int round = 0; round < 300; ++round) {
        std::string text(rng() % 40, ' ');
        for (char& c : text) c = kBytes[rng() % (sizeof kBytes - 1)];
        std::string_view a = text, b = text;
        for (int field = 0; field < 12; ++field) {
          const int32_t expected = Atoi(split.Split(a, false));
          ASSERT_EQ(split.SplitInt(b), expected) << "kugiri " << kugiri << " line '" << text << "' field " << field;
          ASSERT_EQ(a.data() + a.size(), b.data() + b.size());
          ASSERT_EQ(a.size(), b.size());
        }
      }
    }
  }
}

}  // namespace
}  // namespace orbline
