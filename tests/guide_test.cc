// README.ja.md, the authors' guide, against the program: its table of the numbered messages is made
// from the program's own message table and docs/message-help.ja.txt, so a message without an entry
// fails here (ORBLINE_APPROVE=1 writes the table anew); and every command of its examples runs on the
// sample line as tests/approved/guide-ja.txt shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "document/error_code.h"
#include "platform/sjis.h"
#include "platform/utf8_path.h"
#include "test_files.h"
#include "transcript.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

const fs::path kGuide = PathFromUtf8(ORBLINE_SOURCE_DIR "/README.ja.md");
const fs::path kHelp = PathFromUtf8(ORBLINE_SOURCE_DIR "/docs/message-help.ja.txt");

// Where the guide's block NAME lies: after "<!-- NAME: begin -->\n", up to "<!-- NAME: end -->".
bool FindBlock(const std::string& guide, const std::string& name, size_t* from, size_t* to) {
  const std::string begin = "<!-- " + name + ": begin -->\n", end = "<!-- " + name + ": end -->";
  *from = guide.find(begin);
  if (*from == std::string::npos) return false;
  *from += begin.size();
  *to = guide.find(end, *from);
  return *to != std::string::npos;
}

// "code<TAB>what it means and how to mend it", one a line; # starts a comment.
std::map<int, std::string> ReadHelp() {
  std::map<int, std::string> help;
  std::istringstream in(FileBytes(kHelp));
  for (std::string line; std::getline(in, line);) {
    const size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    EXPECT_TRUE(help.emplace(std::stoi(line.substr(0, tab)), line.substr(tab + 1)).second) << "twice: " << line;
  }
  return help;
}

// A message as the guide shows it: its numbers as ○, its line breaks as blanks, in a code span.
std::string MessageCell(const ErrorMessage& m) {
  std::string text = SjisToUtf8(std::string_view(m.text, static_cast<size_t>(m.length)));
  Replace(text, "%02d", "○");
  Replace(text, "%d", "○");
  Replace(text, "%%", "%");
  Replace(text, "\n", " ");
  return "`" + text + "`";
}

TEST(GuideTest, TheMessageTableIsTheProgramsOwn) {
  std::map<int, std::string> help = ReadHelp();
  std::map<int, const ErrorMessage*> messages;
  for (const ErrorMessage& m : ErrorMessages()) messages[m.code == 0 ? 1000 : m.code] = &m;  // any other: last
  std::string table = "| 番号 | 種類 | メッセージ | 意味と直し方 |\n|---|---|---|---|\n";
  for (const auto& [order, m] : messages) {
    const auto entry = help.find(m->code);
    if (entry == help.end()) {
      ADD_FAILURE() << "message " << m->code << " has no entry in " << kHelp.string();
      continue;
    }
    table += "| " + (m->code == 0 ? std::string("その他") : std::to_string(m->code)) + " | " +
             (m->severity == Severity::kError ? "エラー" : "警告") + " | " + MessageCell(*m) + " | " + entry->second +
             " |\n";
    help.erase(entry);
  }
  for (const auto& [code, text] : help) ADD_FAILURE() << kHelp.string() << " explains " << code << ", no message";

  std::string guide = FileBytes(kGuide);
  size_t from = 0, to = 0;
  ASSERT_TRUE(FindBlock(guide, "messages", &from, &to)) << "README.ja.md has no messages block";
  if (std::getenv("ORBLINE_APPROVE") != nullptr) {
    std::ofstream(kGuide, std::ios::binary | std::ios::trunc) << guide.replace(from, to - from, table);
    return;
  }
  EXPECT_EQ(guide.substr(from, to - from), table) << "ORBLINE_APPROVE=1 writes README.ja.md's table anew";
}

#ifndef _WIN32
// The commands of the guide's examples: the lines that start with "orblinec " in its sh blocks.
std::vector<std::string> ExampleCommands() {
  std::istringstream in(FileBytes(kGuide));
  std::vector<std::string> commands;
  bool inSh = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("```", 0) == 0) {
      inSh = !inSh && line == "```sh";
    } else if (inSh && line.rfind("orblinec ", 0) == 0) {
      commands.push_back(line);
    }
  }
  return commands;
}
#endif

TEST(GuideTest, EveryExampleRunsOnTheSample) {
#ifdef _WIN32
  GTEST_SKIP() << "the examples run with bash; scripts/build-windows.sh runs orblinec.exe as Linux's orblinec";
#else
  const fs::path dir = fs::canonical(FreshTestFolder("guide"));
  fs::copy(PathFromUtf8(ORBLINE_SOURCE_DIR "/examples/sample"), dir / PathFromUtf8("路線"));
  const std::vector<std::string> commands = ExampleCommands();
  ASSERT_GE(commands.size(), 5u) << "the examples are the lines that start with orblinec in sh blocks";
  // What each said, cut after its first lines: the guide shows the commands, not every byte.
  std::string transcript;
  for (const std::string& command : commands) {
    std::istringstream said(RunTranscript(dir, {command}));
    int kept = 0;
    for (std::string line; std::getline(said, line); ++kept)
      transcript += kept < 12 ? line + "\n" : kept == 12 ? "…\n" : "";
  }
  fs::remove_all(dir);
  EXPECT_EQ(transcript.find("\nexit 2\n"), std::string::npos) << "an example the program does not take:\n"
                                                              << transcript;
  ExpectApproved(ORBLINE_SOURCE_DIR "/tests/approved/guide-ja.txt", transcript);
#endif
}

}  // namespace
}  // namespace orbline
