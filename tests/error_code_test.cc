// The numbered messages: every one against tests/approved/messages.txt, where a reviewer compares
// them line by line with the texts they must be; the bytes of the code page; the numbers put in.
#include "document/error_code.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "test_files.h"
#include "document_fixture.h"

namespace orbline {
namespace {

TEST(ErrorCodeTest, EveryMessageAsApproved) {
  std::string listed;
  for (int code = 0; code < 1000; ++code) {
    const ErrorMessage& m = FindErrorMessage(code);
    if (m.code != code && code != 0) continue;  // the last row stands for every code not listed
    char head[48];
    std::snprintf(head, sizeof head, "%d\t0x%04X\t%s\t", m.code, m.stringId, m.severity == Severity::kError ? "error" : "warning");
    std::string text = SjisToUtf8(std::string_view(m.text, m.length));
    for (size_t at; (at = text.find('\n')) != std::string::npos;) text.replace(at, 1, "\\n");
    listed += head + text + "\n";
  }
  ExpectApproved(std::filesystem::path(ORBLINE_SOURCE_DIR) / "tests" / "approved" / "messages.txt", listed);
}

TEST(ErrorCodeTest, BytesOfCodePage932AndNumbersPutIn) {
  // が見つかりません, byte by byte from the code page 932 table; the ideographic space is 81 40 and
  // the full-width tilde 81 60.
  EXPECT_EQ(FormatErrorMessage(21, 0, 0), "info.txt\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1");
  EXPECT_EQ(FormatErrorMessage(12, 0, 0).substr(0, 7), "[Eki]\x81\x40");
  EXPECT_NE(FormatErrorMessage(12, 0, 0).find("0\x81\x60" "99"), std::string::npos);
  // In order; "%%" is one percent sign; a code not listed shows the last row.
  EXPECT_EQ(MakeFinding(43, 12, 0, "", 0).BoxText(), "error 43\n\n" + Sjis("eki.txtの12行目の割合が\n0～99%になっていません"));
  EXPECT_EQ(MakeFinding(15, 2, 31, "", 0).BoxText(), "error 15\n\n" + Sjis("[Data]　2-31行\n種別が1～13以外"));
  for (int code : {1, 18, 73, 99, -5})
    EXPECT_EQ(MakeFinding(code, 3, 4, "", 0).BoxText(), "error " + std::to_string(code) + "\n\n" + Sjis("原因、発生場所不明のエラーです"));
}

}  // namespace
}  // namespace orbline
