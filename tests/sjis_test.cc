// The one decoder of Shift_JIS texts for people to read.
#include "platform/sjis.h"

#include <gtest/gtest.h>

namespace orbline {
namespace {

TEST(SjisTest, DecodesCodePage932) {
  EXPECT_EQ(SjisToUtf8("\x82\xa0\x8c\xa9"), "あ見");
  EXPECT_EQ(SjisToUtf8("\x81\x60"), "～") << "81 60 is the full-width tilde of code page 932";
  EXPECT_EQ(SjisToUtf8("\xb1\xdd"), "ｱﾝ") << "half-width katakana";
  EXPECT_EQ(SjisToUtf8("\x87\x40"), "①") << "an NEC special character";
  // Control bytes stay what they are.
  EXPECT_EQ(SjisToUtf8(std::string("\x1a\x1c\x7f\x00", 4)), std::string("\x1a\x1c\x7f\x00", 4));
}

TEST(SjisTest, EveryInvalidByteBecomesOneReplacementCharacter) {
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(SjisToUtf8("a\x82"), "a" + replacement) << "a lone lead byte at the end";
  EXPECT_EQ(SjisToUtf8("\x80" "b"), replacement + "b");
  EXPECT_EQ(SjisToUtf8("\xa0\xfd\xfe\xff"), replacement + replacement + replacement + replacement);
  // A lead byte before a byte that cannot trail it: the lead byte alone is replaced.
  EXPECT_EQ(SjisToUtf8("\x82\x20x"), replacement + " x");
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  EXPECT_FALSE(SjisToUtf8(all).empty());
}

TEST(SjisTest, EncodesWhatCodePage932Holds) {
  EXPECT_EQ(Utf8ToSjis("駅"), "\x89\x77");
  EXPECT_EQ(Utf8ToSjis("a€b"), "a?b") << "no euro sign in code page 932";
  EXPECT_EQ(Utf8ToSjis("a\xF0\x9F\x80\x80" "b"), "a?b") << "nor anything beyond 16 bits, of four bytes";
}

}  // namespace
}  // namespace orbline
