// The editor command cut into words: the window's rules (those of QProcess::splitCommand, which
// tests/app/profile_store_test.cc compares against Qt itself) and Windows' rules, and the command
// line that gives Windows' words back.
#include <gtest/gtest.h>

#include "platform/command_words.h"

namespace orbline {
namespace {

using Words = std::vector<std::string>;

TEST(CommandWordsTest, CutsAsEachSystemDoes) {
  const struct {
    const char* line;
    Words quoted, windows;
  } cases[] = {
      {"", {}, {}},
      {"  gvim  --remote-silent\t+{line} {file} ",
       {"gvim", "--remote-silent", "+{line}", "{file}"},
       {"gvim", "--remote-silent", "+{line}", "{file}"}},
      {R"("C:\Program Files\Notepad++\notepad++.exe" -n{line} "{file}")",
       {R"(C:\Program Files\Notepad++\notepad++.exe)", "-n{line}", "{file}"},
       {R"(C:\Program Files\Notepad++\notepad++.exe)", "-n{line}", "{file}"}},
      // Backslashes before quotes: literal to the window, escapes to Windows.
      {R"(ed a\"b "c d\\" e\\\"f g\h)",
       {"ed", R"(a\b c)", R"(d\\ e\\\f)", R"(g\h)"},
       {"ed", R"(a"b)", R"(c d\)", R"(e\"f)", R"(g\h)"}},
      // Three quotes are one to the window; "" inside quotes is one to Windows, and "" a word.
      {R"(ed """x""" "a""b" "")", {"ed", R"("x")", "ab"}, {"ed", R"("x")", R"(a"b)", ""}},
      // An ideographic space parts words for the window only; Japanese stays whole.
      {"秀丸\u3000/j{line} \"ファイル 名\"",
       {"秀丸", "/j{line}", "ファイル 名"},
       {"秀丸\u3000/j{line}", "ファイル 名"}},
      {R"("C:\a b"\c.exe x)", {R"(C:\a b\c.exe)", "x"}, {R"(C:\a b\c.exe)", "x"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.line, CommandSyntax::kQuoted), c.quoted) << c.line;
    EXPECT_EQ(SplitCommandLine(c.line, CommandSyntax::kWindows), c.windows) << c.line;
  }
}

TEST(CommandWordsTest, EveryBlankOfTheWindowPartsWordsAndNothingElse) {
  // QChar::isSpace's blanks; beside them characters that are not.
  const char* const blanks[] = {"\t",     "\n",     "\v",     "\f",     "\r",     " ",      "\u0085", "\u00A0",
                                "\u1680", "\u2000", "\u200A", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000"};
  for (const char* blank : blanks)
    EXPECT_EQ(SplitCommandLine(std::string("a") + blank + "b", CommandSyntax::kQuoted), (Words{"a", "b"})) << blank;
  // A character read with too few bytes could read as a blank (U+0800 is E0 A0 80, U+100A0 is
  // F0 90 82 A0), one with too many could swallow the blank after it.
  EXPECT_EQ(SplitCommandLine("a\U00010000 b", CommandSyntax::kQuoted), (Words{"a\U00010000", "b"}));
  const char* const others[] = {"\u0800", "\U000100A0", "\U0001F683", "\u0084", "\u00A1", "\u200B",
                                "\u202E", "\u2030",     "\u205E",     "\u3001", "\u2027"};
  for (const char* other : others) {
    const std::string word = std::string("a") + other + "b";
    EXPECT_EQ(SplitCommandLine(word, CommandSyntax::kQuoted), Words{word}) << other;
  }
}

TEST(CommandWordsTest, WindowsCommandLineGivesTheWordsBack) {
  const Words words[] = {
      {"notepad.exe", "C:\\a b\\c.txt"},
      {"C:\\Program Files\\x.exe", "", "a\"b", "tail\\", "tail \\", "\\\\\"", "\t", "plain"},
  };
  for (const Words& w : words)
    EXPECT_EQ(SplitCommandLine(JoinWindowsCommandLine(w), CommandSyntax::kWindows), w) << JoinWindowsCommandLine(w);
}

TEST(CommandWordsTest, EditorWordsPlaceFileAndLineInsideWords) {
  EXPECT_EQ(EditorWords("gvim --remote-silent +{line} {file}", "/l/a b.txt", 0, CommandSyntax::kQuoted),
            (Words{"gvim", "--remote-silent", "+1", "/l/a b.txt"}));
  EXPECT_EQ(EditorWords("code -g {file}:{line}", "/l/{line}.txt", 12, CommandSyntax::kQuoted),
            (Words{"code", "-g", "/l/{line}.txt:12"}));
  EXPECT_EQ(EditorWords(R"("C:\Program Files\Sakura\sakura.exe" -Y={line})", R"(Z:\路線\eki.txt)", 7,
                        CommandSyntax::kWindows),
            (Words{R"(C:\Program Files\Sakura\sakura.exe)", "-Y=7", R"(Z:\路線\eki.txt)"}));
  EXPECT_TRUE(EditorWords(" \t", "/x", 1, CommandSyntax::kQuoted).empty());
}

}  // namespace
}  // namespace orbline
