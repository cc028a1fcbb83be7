// The numbered messages: the table's shape, the bytes of the code page, the numbers put in. The
// texts themselves are compared with what they must be where they are shown (tests/approved).
#include "document/error_code.h"

#include <gtest/gtest.h>

#include <set>

#include "document_fixture.h"

namespace orbline {
namespace {

TEST(ErrorCodeTest, EachCodeOnceWithItsOwnResourceAndAMessageThatDecodes) {
  std::set<int> codes, ids;
  const auto messages = ErrorMessages();
  ASSERT_EQ(messages.back().code, 0) << "the last row stands for every other code";
  for (const ErrorMessage& m : messages) {
    EXPECT_TRUE(codes.insert(m.code).second) << m.code;
    EXPECT_TRUE(ids.insert(m.stringId).second) << m.code;
    EXPECT_EQ(&FindErrorMessage(m.code), &m) << m.code;
    // Faults of the line up to 79; what only warns from 81 on.
    EXPECT_EQ(m.severity == Severity::kWarning, m.code > 80) << m.code;
    const std::string text = SjisToUtf8(std::string_view(m.text, m.length));
    EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << m.code << " holds bytes that do not decode";
    int placeholders = 0;
    for (size_t at = 0; (at = text.find('%', at)) != std::string::npos; at += 2) placeholders += text[at + 1] == 'd';
    EXPECT_LE(placeholders, 2) << m.code;
  }
}

TEST(ErrorCodeTest, BytesOfCodePage932AndNumbersPutIn) {
  // が見つかりません, byte by byte from the code page 932 table; the ideographic space is 81 40 and
  // the full-width tilde 81 60.
  EXPECT_EQ(FormatErrorMessage(21, 0, 0), "info.txt\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1");
  EXPECT_EQ(FormatErrorMessage(12, 0, 0).substr(0, 7), "[Eki]\x81\x40");
  EXPECT_NE(FormatErrorMessage(12, 0, 0).find(std::string("0\x81\x60") + "99"), std::string::npos);
  // In order; "%%" is one percent sign; a code not listed shows the last row.
  EXPECT_EQ(MakeFinding(43, 12, 0, "", 0).BoxText(),
            "error 43\n\n" + Sjis("eki.txtの12行目の割合が\n0～99%になっていません"));
  EXPECT_EQ(MakeFinding(15, 2, 31, "", 0).BoxText(), "error 15\n\n" + Sjis("[Data]　2-31行\n種別が1～13以外"));
  for (int code : {1, 18, 73, 99, -5})
    EXPECT_EQ(MakeFinding(code, 3, 4, "", 0).BoxText(),
              "error " + std::to_string(code) + "\n\n" + Sjis("原因、発生場所不明のエラーです"));
}

}  // namespace
}  // namespace orbline
