// The one codec of Shift_JIS texts, from the tables made at build time: checked byte for byte
// against iconv, which the program used to convert with on Linux.
#include "platform/sjis.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#endif

namespace orbline {
namespace {

TEST(SjisTest, DecodesCodePage932) {
  EXPECT_EQ(SjisToUtf8("\x82\xa0\x8c\xa9"), "あ見");
  EXPECT_EQ(SjisToUtf8("\x81\x60"), "～") << "81 60 is the full-width tilde of code page 932";
  EXPECT_EQ(SjisToUtf8("\x87\x40"), "①") << "an NEC special character";
  // Control bytes stay what they are.
  EXPECT_EQ(SjisToUtf8(std::string("\x1a\x1c\x7f\x00", 4)), std::string("\x1a\x1c\x7f\x00", 4));
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(SjisToUtf8("a\x82"), "a" + replacement) << "a lone lead byte at the end";
  const std::string pair = "\x82\xa0";
  EXPECT_EQ(SjisToUtf8(std::string_view(pair).substr(0, 1)), replacement) << "the byte after the text is not read";
  EXPECT_EQ(SjisToUtf8("\x82\x20x"), replacement + " x") << "a lead byte before one that cannot trail it";
  EXPECT_EQ(Utf8ToSjis("駅"), "\x89\x77");
  EXPECT_EQ(Utf8ToSjis("a€b"), "a?b") << "no euro sign in code page 932";
}

#ifndef _WIN32
// What the program did before the tables: glibc's iconv, each character it cannot convert marked
// and passed over (one byte of code page 932; the length its lead byte claims of UTF-8).
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() { iconv_close(cd_); }

  std::string Convert(std::string_view in, std::string_view bad, bool utf8In) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    char buf[4096];
    char* inp = const_cast<char*>(in.data());
    size_t inleft = in.size();
    while (inleft > 0) {
      char* outp = buf;
      size_t outleft = sizeof buf;
      const size_t rc = iconv(cd_, &inp, &inleft, &outp, &outleft);
      out.append(buf, outp - buf);
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
        out.append(bad);
        const auto lead = static_cast<unsigned char>(*inp);
        const size_t claimed = !utf8In ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const size_t skip = std::min(inleft, claimed);
        inp += skip;
        inleft -= skip;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      }
    }
    return out;
  }

  // True when every byte of `in` converts.
  bool Converts(std::string_view in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inp = const_cast<char*>(in.data());
    size_t inleft = in.size();
    char buf[64];
    char* outp = buf;
    size_t outleft = sizeof buf;
    return iconv(cd_, &inp, &inleft, &outp, &outleft) != static_cast<size_t>(-1) || errno == E2BIG;
  }

 private:
  iconv_t cd_;
};

// What ReadsOnlyAsUtf8 said with iconv (on texts whose first byte is above ASCII and whose last is
// the one after the last such byte, as it looks at them).
bool IconvReadsOnlyAsUtf8(std::string_view bytes, Iconv& utf8, Iconv& cp932) {
  return utf8.Converts(bytes) && !cp932.Converts(bytes);
}

// Every single byte and every pair of bytes, and every character of Unicode.
TEST(SjisTest, AgreesWithIconvOnEveryByteAndPairAndCharacter) {
  Iconv decoder("UTF-8", "CP932"), encoder("CP932", "UTF-8");
  Iconv utf8Check("UTF-16LE", "UTF-8"), cp932Check("UTF-16LE", "CP932");
  const std::string replacement = "\xEF\xBF\xBD";
  int differences = 0;
  auto check = [&](const std::string& in) {
    const std::string want = decoder.Convert(in, replacement, false), got = SjisToUtf8(in);
    const std::string wantEncoded = encoder.Convert(in, "?", true), gotEncoded = Utf8ToSjis(in);
    bool same = want == got && wantEncoded == gotEncoded;
    if (static_cast<unsigned char>(in[0]) >= 0x80)
      same = same && IconvReadsOnlyAsUtf8(in, utf8Check, cp932Check) == ReadsOnlyAsUtf8(in);
    if (!same && ++differences <= 10) {
      std::string hex;
      for (unsigned char c : in) hex += " " + std::to_string(c);
      ADD_FAILURE() << "bytes" << hex << ": iconv " << want << " / " << wantEncoded << ", tables " << got << " / "
                    << gotEncoded;
    }
  };
  for (int a = 0; a < 256; ++a) {
    check(std::string(1, static_cast<char>(a)));
    for (int b = 0; b < 256; ++b) check({static_cast<char>(a), static_cast<char>(b)});
  }
  // Three bytes from a lead of UTF-8's three-byte characters (with a trail byte of code page 932
  // after two bytes), and every character of Unicode in UTF-8.
  for (int a = 0xE0; a < 0xF0; ++a)
    for (int b = 0x40; b < 0x100; ++b)
      for (int c : {0x20, 0x41, 0x80, 0x9F, 0xA0, 0xBF, 0xC0})
        check({static_cast<char>(a), static_cast<char>(b), static_cast<char>(c)});
  for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;
    std::string u;
    AppendUtf8(c, &u);
    if (encoder.Convert(u, "?", true) != Utf8ToSjis(u) && ++differences <= 10)
      ADD_FAILURE() << "U+" << std::hex << static_cast<uint32_t>(c);
  }
  EXPECT_EQ(differences, 0);
}
#endif

}  // namespace
}  // namespace orbline
