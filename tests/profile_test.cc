// The window's profile read without Qt: the file QSettings wrote (tests/app/profile_store_test
// checks that it still writes exactly that), and the quoting and escapes of its values.
#include "platform/ini_profile_store.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "document/format_settings.h"
#include "platform/profile_location.h"
#include "platform/utf8_path.h"
#include "test_files.h"

namespace orbline {
namespace {

TEST(ProfileTest, WhatTheWindowWrote) {
  IniProfileStore profile(PathFromUtf8(ORBLINE_SOURCE_DIR "/tests/cases/qsettings-profile.ini"));
  EXPECT_EQ(profile.error(), "");
  EXPECT_EQ(profile.GetText("editor", "command", ""),
            R"("C:\Program Files (x86)\秀丸エディタ\Hidemaru.exe" /j{line},1 "{file}")");
  const FormatSettings s = FormatSettings::Load(profile);
  EXPECT_EQ((std::vector<int>{s.kugiri, s.kankaku, s.weekkind, s.top, s.sec30}), (std::vector<int>{1, 7, 2, 1, 0}));
  EXPECT_EQ(profile.GetInt("mode", "jidou", 1), 0);
  EXPECT_EQ(profile.GetInt("mode", "eria", 3), 3) << "a key never written";
  // What this run writes is read back, and never reaches the file.
  profile.WriteInt("data", "kugiri", 2);
  EXPECT_EQ(profile.GetInt("data", "kugiri", 0), 2);
  EXPECT_EQ(IniProfileStore(PathFromUtf8(ORBLINE_SOURCE_DIR "/tests/cases/qsettings-profile.ini"))
                .GetInt("data", "kugiri", 0),
            1);
}

TEST(ProfileTest, ValuesAsQSettingsReadsThem) {
  struct Case {
    const char* raw;
    const char* text;
    bool list;
  };
  const Case cases[] = {
      {"plain", "plain", false},
      {R"(  blanks around  )", "blanks around", false},
      {R"(" kept blanks ")", " kept blanks ", false},
      {R"(a, b ,c)", "a, b, c", true},  // unquoted commas part a list
      {R"("a, b")", "a, b", false},
      {R"(tab\there\x1 end\n)", "tab\there\x01 end\n", false},
      {R"(\x5c\x9ad9\xd83d\xde83)", "\\\xE9\xAB\x99\xF0\x9F\x9A\x83", false},  // UTF-16 units, a surrogate pair
      {R"(\101\102)", "AB", false},                                            // octal
      {R"(a\x0041-)", "aA-", false},                                           // a leading 0 is a digit too
      {R"(\xdc00\xdc01)", "\xEF\xBF\xBD\xEF\xBF\xBD", false},                  // lone low surrogates
      {R"(\xf\xA-a\x20)", "\x0f\n-a ", false},  // hex digits of both cases; an escaped blank stays
      {R"("say \"hi\"")", R"(say "hi")", false},
      {"直接のUTF-8", "直接のUTF-8", false},
  };
  for (const Case& c : cases) {
    bool list = false;
    EXPECT_EQ(UnescapeQSettingsValue(c.raw, &list), c.text) << c.raw;
    EXPECT_EQ(list, c.list) << c.raw;
  }
}

TEST(ProfileTest, NoFileAndABrokenFile) {
  const auto dir = FreshTestFolder("profile");
  IniProfileStore none(dir / "Orbline.ini");
  EXPECT_EQ(none.error(), "");
  EXPECT_EQ(none.GetInt("data", "kankaku", 5), 5);
  std::ofstream(dir / "Orbline.ini") << "[data]\nkugiri=1\nkugiri=2\n";
  IniProfileStore broken(dir / "Orbline.ini");
  EXPECT_NE(broken.error(), "") << "a key twice is no profile QSettings wrote";
  EXPECT_EQ(broken.GetInt("data", "kugiri", 0), 0);
  std::ofstream(dir / "Orbline.ini", std::ios::trunc) << "[data]\nkugiri=1,2\nkankaku=+7\ntop=x\n";
  IniProfileStore odd(dir / "Orbline.ini");
  EXPECT_EQ((std::vector<int>{odd.GetInt("data", "kugiri", 9), odd.GetInt("data", "kankaku", 9),
                              odd.GetInt("data", "top", 9)}),
            (std::vector<int>{9, 7, 9}))
      << "a list or a text is no number";
  std::filesystem::remove_all(dir);
}

// orblinec serve's settings form: the keys it writes change, every other line stays, and what it
// writes reads back (tests/app/profile_store_test reads it with QSettings).
TEST(ProfileTest, SaveChangesOnlyTheKeysWritten) {
  const auto dir = FreshTestFolder("profile-save");
  const auto path = dir / "Orbline.ini";
  std::ofstream(path, std::ios::binary) << "[data]\r\nkugiri=1\r\nkankaku = 7\r\n\r\n[other]\r\nlist=a, \"b,c\"\r\n";
  const std::string texts[] = {R"("C:\Program Files\x.exe" /j{line},1 "{file}")", " blank ", "@at", "a;b=c",
                               std::string("tab\t\x01") + "7 \\ \"q\"",           "秀丸",    ""};
  // As QSettings writes them: quoted only for a separator or blanks at either end.
  EXPECT_EQ(EscapeQSettingsValue("gvim +{line} {file}"), "gvim +{line} {file}");
  EXPECT_EQ(EscapeQSettingsValue("a;b=c") + EscapeQSettingsValue(" blank") + EscapeQSettingsValue("@at"),
            "\"a;b=c\"\" blank\"@@at");
  EXPECT_EQ(EscapeQSettingsValue(std::string("\x01") + "0a"), "\\x01\\x30\\x61") << "no digit runs into an escape";
  EXPECT_EQ(EscapeQSettingsValue(std::string(1, '\0') + "7\n7"), "\\0\\x37\\n7") << "\\0 is one, \\n is none";
  EXPECT_EQ(EscapeQSettingsValue("\x1f\x20"), "\"\\x1f \"");
  for (const std::string& text : texts) {
    IniProfileStore profile(path);
    profile.WriteInt("data", "kankaku", 9);
    profile.WriteInt("data", "top", 1);
    profile.WriteText("editor", "command", text);
    std::string err;
    ASSERT_TRUE(profile.Save(&err)) << err;
    IniProfileStore back(path);
    EXPECT_EQ(back.GetText("editor", "command", "?"), text);
    EXPECT_EQ((std::vector<int>{back.GetInt("data", "kugiri", 0), back.GetInt("data", "kankaku", 0),
                                back.GetInt("data", "top", 0)}),
              (std::vector<int>{1, 9, 1}));
  }
  EXPECT_EQ(
      FileBytes(path),
      "[data]\r\nkugiri=1\r\nkankaku=9\r\ntop=1\r\n\r\n[other]\r\nlist=a, \"b,c\"\r\n\r\n[editor]\r\ncommand=\r\n");
  std::ofstream(path, std::ios::trunc) << "[data]\nkugiri=1\nkugiri=2\n";
  IniProfileStore broken(path);
  broken.WriteInt("data", "top", 1);
  std::string err;
  EXPECT_FALSE(broken.Save(&err)) << "a file it could not read is not written over";
  std::filesystem::remove_all(dir);
}

#ifndef _WIN32
TEST(ProfileTest, WhereTheProfileIsOnLinux) {
  const char* const names[] = {"ORBLINE_PROFILE", "XDG_CONFIG_HOME", "HOME"};
  std::vector<std::optional<std::string>> saved;
  for (const char* name : names) saved.push_back(std::getenv(name) ? std::optional(std::getenv(name)) : std::nullopt);
  const auto set = [](const char* name, const char* value) { value ? setenv(name, value, 1) : unsetenv(name); };
  const std::array<const char*, 4> cases[] = {
      // ORBLINE_PROFILE, XDG_CONFIG_HOME, HOME, where
      {"/tmp/mine.ini", "/cfg", "/h", "/tmp/mine.ini"},
      {"", "/cfg", "/h", "/cfg/Orbline.ini"},                 // set but empty: as if not set
      {nullptr, "relative", "/h", "/h/.config/Orbline.ini"},  // not from the root: passed over
      {nullptr, nullptr, "/h", "/h/.config/Orbline.ini"}};
  for (const auto& c : cases) {
    for (int k = 0; k < 3; ++k) set(names[k], c[k]);
    EXPECT_EQ(ProfileLocation().string(), c[3]) << (c[0] ? c[0] : "-") << " " << (c[1] ? c[1] : "-");
  }
  for (int k = 0; k < 3; ++k) set(names[k], saved[k] ? saved[k]->c_str() : nullptr);
}
#endif

}  // namespace
}  // namespace orbline
