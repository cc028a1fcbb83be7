#include "doc/error_code.h"

#include <gtest/gtest.h>

#include "doc_fixture.h"

namespace orbline {
namespace {

// Every message as it must read, typed here again in UTF-8 and encoded by the system's converter.
const struct {
  int code;
  int stringId;
  const char* utf8;
} kExpected[] = {
    {11, 0xF006, "[Eki]　%d行\n計算駅番号が0～300以外"},
    {12, 0xF007, "[Eki]　％が0～99以外"},
    {13, 0xF008, "[Eki]　To駅の行き先To2が\n記入されていません"},
    {14, 0xF009, "[Map]　%d行\n計算駅番号が1～100以外"},
    {15, 0xF00A, "[Data]　%d-%d行\n種別が1～13以外"},
    {16, 0xF00B, "[Data]　%d-%d行\n車種が1～100以外"},
    {17, 0xF00C, "[Data]　%d-%d行\n計算駅が0～300以外"},
    {21, 0xF00D, "info.txtが見つかりません"},
    {22, 0xF00E, "info.txtで\n原因不明のエラー発生"},
    {31, 0xF00F, "kind.txtが見つかりません"},
    {32, 0xF010, "kind.txtで\n原因不明のエラー発生"},
    {41, 0xF011, "eki.txtが見つかりません"},
    {42, 0xF012, "eki.txtで\n原因不明のエラー発生"},
    {43, 0xF013, "eki.txtの%d行目の割合が\n0～99%%になっていません"},
    {44, 0xF014, "eki.txtの%d行目の駅名が空欄です"},
    {51, 0xF015, "map.txtが見つかりません"},
    {52, 0xF016, "map.txtで\n原因不明のエラー発生"},
    {61, 0xF017, "data%d.txtが見つかりません"},
    {62, 0xF018, "data%d.txtで\n原因不明のエラー発生"},
    {63, 0xF019, "data%d.txtの%d行目の種別が\n1～13以外です"},
    {64, 0xF01A, "data%d.txtの%d行目の車種が\n1～100以外です"},
    {65, 0xF01B, "data%d.txtの%d行目の駅番号が\n0～300以外です"},
    {66, 0xF01C, "data%d.txtのヘッダーの計算駅Noが\n1～100以外です"},
    {67, 0xF01F, "曜日の設定(weekkind=%d)が0～3以外のため\n時刻表を読めません"},
    {71, 0xF01D, "*.zkfでエラー発生"},
    {72, 0xF020, "ソースファイルの上には\nZKFファイルを書き込めません"},
    {81, 0xF021, "文字コードがUTF-8のようです\nShift_JISで保存し直してください"},
    {82, 0xF022, "区切り文字が設定と違うようです\n「データの形式情報」を確かめてください"},
    {83, 0xF023, "数値の欄に全角数字があります\n半角で書いてください(0として読みます)"},
};

// Codes from 80 on are warnings; every other code is an error.
constexpr int kFirstWarning = 80;

TEST(ErrorCodeTest, EveryMessageHasItsExactBytesAndId) {
  for (const auto& e : kExpected) {
    const ErrorMessage& m = FindErrorMessage(e.code);
    EXPECT_EQ(m.code, e.code);
    EXPECT_EQ(m.stringId, e.stringId) << "code " << e.code;
    EXPECT_EQ(std::string(m.text, m.length), Sjis(e.utf8)) << "code " << e.code;
    EXPECT_EQ(m.severity, e.code >= kFirstWarning ? Severity::kWarning : Severity::kError) << "code " << e.code;
  }
}

TEST(ErrorCodeTest, KnownBytesOfCodePage932) {
  // が見つかりません, byte by byte from the code page 932 table.
  EXPECT_EQ(FormatErrorMessage(21, 0, 0),
            "info.txt\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1");
  // The ideographic space is 81 40 and the full-width tilde ～ is 81 60.
  EXPECT_EQ(FormatErrorMessage(12, 0, 0).substr(0, 7), "[Eki]\x81\x40");
  EXPECT_NE(FormatErrorMessage(12, 0, 0).find("0\x81\x60" "99"), std::string::npos);
}

TEST(ErrorCodeTest, UnknownCodesShowTheLastRow) {
  for (int code : {0, 1, 18, 70, 73, 99, -5, 0xF006}) {
    const ErrorMessage& m = FindErrorMessage(code);
    EXPECT_EQ(m.stringId, 0xF01E) << "code " << code;
    EXPECT_EQ(MakeFinding(code, 3, 4, "", 0).BoxText(),
              "error " + std::to_string(code) + "\n\n" + Sjis("原因、発生場所不明のエラーです"));
  }
}

TEST(ErrorCodeTest, NumbersAreInsertedInOrder) {
  EXPECT_EQ(MakeFinding(43, 12, 0, "", 0).BoxText(), "error 43\n\n" + Sjis("eki.txtの12行目の割合が\n0～99%になっていません"));
  EXPECT_EQ(MakeFinding(15, 2, 31, "", 0).BoxText(), "error 15\n\n" + Sjis("[Data]　2-31行\n種別が1～13以外"));
  EXPECT_EQ(MakeFinding(63, 3, 3000, "", 0).BoxText(), "error 63\n\n" + Sjis("data3.txtの3000行目の種別が\n1～13以外です"));
  EXPECT_EQ(MakeFinding(61, 2, 99, "", 0).BoxText(), "error 61\n\n" + Sjis("data2.txtが見つかりません"));
  EXPECT_EQ(MakeFinding(11, -1, 0, "", 0).BoxText(), "error 11\n\n" + Sjis("[Eki]　-1行\n計算駅番号が0～300以外"));
  EXPECT_EQ(MakeFinding(21, 5, 6, "", 0).BoxText(), "error 21\n\n" + Sjis("info.txtが見つかりません"));
}

}  // namespace
}  // namespace orbline
