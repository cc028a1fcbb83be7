#include "doc/number.h"

#include <gtest/gtest.h>

#include <string>

namespace orbline {
namespace {

TEST(AtoiTest, ReadsLikeTheCRuntime) {
  EXPECT_EQ(Atoi("12"), 12);
  EXPECT_EQ(Atoi(" 5 "), 5);
  EXPECT_EQ(Atoi("\t\r\n\v\f 42"), 42);
  EXPECT_EQ(Atoi("+7"), 7);
  EXPECT_EQ(Atoi("-1"), -1);
  EXPECT_EQ(Atoi("12abc"), 12);
  EXPECT_EQ(Atoi("05"), 5);
  EXPECT_EQ(Atoi("abc"), 0);
  EXPECT_EQ(Atoi(""), 0);
  EXPECT_EQ(Atoi("-"), 0);
  EXPECT_EQ(Atoi("+-3"), 0);
  EXPECT_EQ(Atoi("- 3"), 0);
  // A full-width digit is no digit.
  EXPECT_EQ(Atoi("\x82\x50"), 0);
  // Reading stops at the end of the field even where the bytes go on.
  std::string line = "123456";
  EXPECT_EQ(Atoi(std::string_view(line).substr(0, 2)), 12);
  EXPECT_EQ(Atoi(std::string("4\0" "9", 3)), 4);
}

TEST(AtoiTest, TableWordsAreTheLow16Bits) {
  EXPECT_EQ(FieldWord("-1"), 65535);
  EXPECT_EQ(FieldWord("-10"), 65526);
  EXPECT_EQ(FieldWord("65536"), 0);
  EXPECT_EQ(FieldWord("70000"), 4464);
  EXPECT_EQ(FieldWord("65535"), 65535);
  // 99999999999 is 0x174876E7FF; overflowing digits keep the true low 16 bits.
  EXPECT_EQ(FieldWord("99999999999"), 0xE7FF);
  EXPECT_EQ(FieldWord("-99999999999"), static_cast<uint16_t>(-0xE7FF));
}

}  // namespace
}  // namespace orbline
