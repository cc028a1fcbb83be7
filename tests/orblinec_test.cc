// orblinec: its command line, and the program run as an author runs it, line by line of
// tests/cases/orblinec.txt, against tests/approved/orblinec.txt (ORBLINE_APPROVE=1 writes it anew).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli/command_line.h"
#include "test_files.h"
#include "transcript.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

TEST(CommandLineTest, EachSettingGoesToItsPlace) {
  std::string error;
  CommandLine cl;
  ASSERT_TRUE(ParseCommandLine({"compile", "-C", "line", "-o", "x.zkf", "--separator", "fixed", "--kankaku=8",
                                "--weekkind", "2", "--top", "1", "--30sec=0", "--no-profile"},
                               &cl, &error))
      << error;
  EXPECT_EQ(cl.command, CommandLine::Command::kCompile);
  EXPECT_EQ(cl.folder.string() + " " + cl.output.string(), "line x.zkf");
  EXPECT_EQ((std::vector<int>{*cl.kugiri, *cl.kankaku, *cl.weekkind, *cl.top, *cl.sec30, cl.noProfile}),
            (std::vector<int>{3, 8, 2, 1, 0, 1}));
  ASSERT_TRUE(ParseCommandLine({"check"}, &cl, &error));
  EXPECT_FALSE(cl.kugiri || cl.kankaku || cl.weekkind || cl.top || cl.sec30) << "the profile decides";
  ASSERT_TRUE(ParseCommandLine({"render", "--mode", "4", "--page=12", "--grid", "--size", "640x480", "-o", "m.png"},
                               &cl, &error));
  EXPECT_EQ((std::vector<int>{cl.mode, cl.page, cl.grid, cl.width, cl.height}), (std::vector<int>{4, 12, 1, 640, 480}));
}

// Each command with what it wrote to standard output, its standard error as lines starting "! ", and
// its status when not 0. The folder's path reads as $PWD, the sample's as $SAMPLE.
TEST(OrblinecTest, AsAnAuthorRunsIt) {
#ifdef _WIN32
  GTEST_SKIP() << "the transcript runs each line with bash; on Windows scripts/build-windows.sh compares "
                  "orblinec.exe's files and messages with the Linux build's";
#else
  const fs::path dir = fs::canonical(FreshTestFolder("orblinec"));
  std::ifstream script(ORBLINE_SOURCE_DIR "/tests/cases/orblinec.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(script, line);) lines.push_back(line);
  const std::string transcript = RunTranscript(dir, lines);
  fs::remove_all(dir);
  ExpectApproved(ORBLINE_SOURCE_DIR "/tests/approved/orblinec.txt", transcript);
#endif
}

}  // namespace
}  // namespace orbline
