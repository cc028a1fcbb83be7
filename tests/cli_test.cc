// orblinec: its command line, where messages point, and the program run as an author runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/command_line.h"
#include "cli/terminal_diagnostics.h"
#include "temp_folder.h"
#include "file_bytes.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

std::optional<CommandLine> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string ignored;
  return ParseCommandLine(args, error ? error : &ignored);
}

TEST(CommandLineTest, CompileWithEverySetting) {
  auto cl = Parse({"compile", "-C", "line", "-o", "out/x.zkf", "--kugiri", "3", "--kankaku", "8", "--weekkind", "2",
                   "--top", "1", "--30sec", "0", "--no-profile"});
  ASSERT_TRUE(cl);
  EXPECT_EQ(cl->command, CommandLine::Command::kCompile);
  EXPECT_EQ(cl->folder, "line");
  EXPECT_EQ(cl->output, "out/x.zkf");
  EXPECT_EQ(cl->kugiri, 3);
  EXPECT_EQ(cl->kankaku, 8);
  EXPECT_EQ(cl->weekkind, 2);
  EXPECT_EQ(cl->top, 1);
  EXPECT_EQ(cl->sec30, 0);
  EXPECT_TRUE(cl->noProfile);
  // Settings not given stay unset: the profile decides.
  cl = Parse({"compile"});
  ASSERT_TRUE(cl);
  EXPECT_FALSE(cl->kugiri || cl->kankaku || cl->weekkind || cl->top || cl->sec30);
}

TEST(CommandLineTest, SeparatorNames) {
  const char* names[] = {"tab", "comma", "space", "fixed"};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Parse({"check", "--separator", names[k]})->kugiri, k);
  std::string error;
  EXPECT_FALSE(Parse({"check", "--separator", "semicolon"}, &error));
  EXPECT_EQ(error, "--separator takes tab, comma, space or fixed, not 'semicolon'");
}

TEST(CommandLineTest, UsageErrors) {
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{}, "no command given"},
      {{"build"}, "unknown command 'build'"},
      {{"compile", "extra"}, "unexpected argument 'extra'"},
      {{"compile", "-C"}, "-C needs a value"},
      {{"compile", "--kugiri", "4"}, "--kugiri takes a whole number from 0 to 3, not '4'"},
      {{"compile", "--kankaku", "5x"}, "--kankaku takes a whole number from 0 to 100, not '5x'"},
      {{"compile", "--top", "2"}, "--top takes a whole number from 0 to 1, not '2'"},
      {{"compile", "--weekkind", ""}, "--weekkind takes a whole number from 0 to 3, not ''"},
      {{"compile", "--json"}, "--json goes with dump"},
      {{"check", "-o", "x.zkf"}, "check writes no file; -o goes with compile"},
      {{"dump"}, "dump takes one ZKF file"},
      {{"dump", "a.zkf", "b.zkf"}, "dump takes one ZKF file"},
      {{"compile", "--frobnicate"}, "unknown option --frobnicate"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(Parse(c.args, &error));
    EXPECT_EQ(error, c.error);
  }
  EXPECT_EQ(Parse({"compile", "--help"})->command, CommandLine::Command::kHelp);
  EXPECT_EQ(Parse({"--version"})->command, CommandLine::Command::kVersion);
}

TEST(ErrorLocationTest, LinesOfSourceFiles) {
  EXPECT_EQ(ErrorLocation(44, 3, 0, 0, 0), "eki.txt:3");
  EXPECT_EQ(ErrorLocation(43, 12, 0, 1, 0), "eki.txt:12") << "top applies to timetables only";
  EXPECT_EQ(ErrorLocation(11, 7, 0, 0, 0), "eki.txt:7");
  EXPECT_EQ(ErrorLocation(14, 496, 0, 0, 0), "map.txt:496");
  // Train n of a timetable file stands after its header (and the skipped line with top).
  EXPECT_EQ(ErrorLocation(63, 2, 5, 0, 0), "data2.txt:6");
  EXPECT_EQ(ErrorLocation(65, 3, 5, 1, 2), "data3.txt:7");
  EXPECT_EQ(ErrorLocation(66, 1, 0, 0, 0), "data1.txt:1");
  EXPECT_EQ(ErrorLocation(66, 1, 0, 1, 0), "data1.txt:2");
  // The checks name day types; the scheme says which file fed them.
  EXPECT_EQ(ErrorLocation(15, 3, 4, 0, 0), "data2.txt:5");
  EXPECT_EQ(ErrorLocation(16, 3, 4, 0, 1), "data1.txt:5");
  EXPECT_EQ(ErrorLocation(17, 3, 4, 0, 2), "data3.txt:5");
  EXPECT_EQ(ErrorLocation(17, 2, 4, 0, 3), "data1.txt:5");
  EXPECT_EQ(ErrorLocation(17, 2, 4, 0, 9), "");
  // No line: missing files, the unnumbered station findings, the written file.
  for (int code : {12, 13, 21, 41, 61, 71, 0}) EXPECT_EQ(ErrorLocation(code, 1, 1, 0, 0), "") << code;
}


// Runs orblinec with `args` in `dir`; returns the exit status with standard output and error.
struct RunResult {
  int status;
  std::string out, err;
};

RunResult Orblinec(const std::string& args, const fs::path& dir, const std::string& env = "") {
  const fs::path outFile = dir / ".stdout", errFile = dir / ".stderr";
  const std::string command = "cd '" + dir.string() + "' && " + env + " '" ORBLINEC_PATH "' " + args + " >'" +
                              outFile.string() + "' 2>'" + errFile.string() + "'";
  int raw = std::system(command.c_str());
  RunResult r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, FileBytes(outFile), FileBytes(errFile)};
  fs::remove(outFile);
  fs::remove(errFile);
  return r;
}

class OrblinecTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = FreshTestFolder("cli");
    profile_ = (dir_ / "profile.ini").string();
    env_ = "ORBLINE_PROFILE='" + profile_ + "'";
  }
  void TearDown() override { fs::remove_all(dir_); }
  RunResult Cli(const std::string& args) { return Orblinec(args, dir_, env_); }

  fs::path dir_;
  std::string profile_;
  std::string env_;
};

const std::string kSample = ORBLINE_SOURCE_DIR "/examples/sample";
const std::string kSampleComma = ORBLINE_SOURCE_DIR "/examples/sample-comma";

TEST_F(OrblinecTest, CompilesTheSampleAndDumpsIt) {
  RunResult r = Cli("compile -C '" + kSample + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, "wrote " + (fs::canonical(dir_) / "sample.zkf").string() + " (" +
                       std::to_string(fs::file_size(dir_ / "sample.zkf")) + " bytes)\n");
  ASSERT_TRUE(fs::exists(dir_ / "sample.zkf"));
  r = Cli("dump sample.zkf");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("ZKF format 2.00"), std::string::npos);
  EXPECT_NE(r.out.find("routeName: 汐凪高原線"), std::string::npos) << "texts shown as UTF-8";
  r = Cli("dump sample.zkf --json");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("{\"version\":200,\"info\":{\"routeName\":\"汐凪高原線\"", 0), 0u) << r.out.substr(0, 80);
  EXPECT_NE(r.out.find("\"maxCalcStation\":22,\"weekkind\":0"), std::string::npos);
}

TEST_F(OrblinecTest, SettingsComeFromTheProfileAndAreNeverWrittenBack) {
  std::ofstream(profile_) << "[data]\nkugiri=1\n";
  RunResult r = Cli("compile -C '" + kSampleComma + "' -o comma.zkf");
  EXPECT_EQ(r.status, 0) << r.err;
  // The tab form read as comma-separated has no station name in line 1.
  r = Cli("compile -C '" + kSample + "' -o tab.zkf");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kSample + "/eki.txt:1: error 44: eki.txtの1行目の駅名が空欄です\n");
  // Options override the profile for this run.
  r = Cli("compile -C '" + kSample + "' -o tab.zkf --separator tab");
  EXPECT_EQ(r.status, 0) << r.err;
  r = Cli("compile -C '" + kSample + "' -o tab2.zkf --no-profile");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(FileBytes(profile_), "[data]\nkugiri=1\n");
  // The same line in both forms compiles to the same bytes.
  EXPECT_EQ(FileBytes(dir_ / "comma.zkf"), FileBytes(dir_ / "tab.zkf"));
}

TEST_F(OrblinecTest, FaultsAreOneLineEachAndStopWithStatus1) {
  for (const char* f : {"info.txt", "kind.txt", "eki.txt", "map.txt", "data1.txt", "data2.txt"})
    fs::copy_file(fs::path(kSample) / f, dir_ / f);
  {
    std::ofstream eki(dir_ / "eki.txt", std::ios::app);
    eki << "1\t5\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tN\r\n";  // To without To2: reported, not fatal
  }
  RunResult r = Cli("compile -o out.zkf");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "error 13: [Eki]　To駅の行き先To2が 記入されていません\n");
  // A missing timetable file.
  fs::remove(dir_ / "data2.txt");
  r = Cli("compile -o out2.zkf");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error 61: data2.txtが見つかりません\n") << "the timetables are read before the checks";
  EXPECT_FALSE(fs::exists(dir_ / "out2.zkf"));
  // A file that cannot be written: error 71 and the compile box, as one line each.
  r = Cli("compile --weekkind 1 -o missing/out.zkf");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("error 71: *.zkfでエラー発生\nコンパイル: コンパイルに失敗しました。\n"), std::string::npos) << r.err;
}

TEST_F(OrblinecTest, UsageAndBrokenFiles) {
  RunResult r = Cli("compile --kugiri 9");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("orblinec: --kugiri takes a whole number from 0 to 3, not '9'\n\nusage:", 0), 0u) << r.err;
  r = Cli("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Zelkor Maker Ver 1.17"), std::string::npos);
  EXPECT_NE(r.out.find("ZKF 2.00"), std::string::npos);
  r = Cli("compile -C no-such-folder");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "orblinec: no-such-folder: no such folder\n");
  std::ofstream(dir_ / "short.zkf", std::ios::binary) << "\x08[Zelkor]\xC8";
  r = Cli("dump short.zkf");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "orblinec: short.zkf: byte 9: the file ends here, in a WORD of 2 bytes (1 left)\n");
}

TEST_F(OrblinecTest, DecompilesToSourcesThatCompileToTheSameFile) {
  RunResult r = Cli("compile -C '" + kSample + "' --no-profile --weekkind 3 -o a.zkf");
  ASSERT_EQ(r.status, 0) << r.err;
  r = Cli("decompile a.zkf -C src");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "wrote 6 files to src\ncompile with: orblinec compile -C src --kugiri 0 --weekkind 3 --top 0 --30sec 1\n");
  EXPECT_TRUE(fs::exists(dir_ / "src" / "data2.txt"));
  EXPECT_FALSE(fs::exists(dir_ / "src" / "data3.txt"));
  r = Cli("compile -C src --no-profile --kugiri 0 --weekkind 3 --top 0 --30sec 1 -o b.zkf");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(FileBytes(dir_ / "a.zkf") == FileBytes(dir_ / "b.zkf"));
  // The author's files are never replaced unasked.
  std::ofstream(dir_ / "src" / "eki.txt", std::ios::trunc) << "mine";
  r = Cli("decompile a.zkf -C src");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "orblinec: src/info.txt already exists; nothing was written (--force replaces it)\n");
  EXPECT_EQ(FileBytes(dir_ / "src" / "eki.txt"), "mine");
  r = Cli("decompile a.zkf -C src --force --kugiri 1");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(FileBytes(dir_ / "src" / "eki.txt").find(','), std::string::npos);
  // A file that is no compiled file.
  std::ofstream(dir_ / "bad.zkf") << "nonsense";
  r = Cli("decompile bad.zkf -C other");
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(fs::exists(dir_ / "other"));
  EXPECT_EQ(Cli("decompile a.zkf --weekkind 1").status, 2);
}

TEST_F(OrblinecTest, RendersEveryDisplayAsAnImage) {
  const struct {
    const char* args;
    const char* file;
    const char* magic;
  } cases[] = {
      {"--mode 3", "eki.png", "\x89PNG"},
      {"--mode 4 --page 2 --grid --size 640x480", "map.png", "\x89PNG"},
      {"--mode 5", "diagram.svg", "<?xml"},
      {"--mode 7 --page 12", "times.pdf", "%PDF"},
  };
  for (const auto& c : cases) {
    RunResult r = Cli("render -C '" + kSample + "' --no-profile " + c.args + " -o " + c.file);
    EXPECT_EQ(r.status, 0) << c.args << ": " << r.err;
    EXPECT_EQ(r.out.rfind(std::string("wrote ") + c.file, 0), 0u) << r.out;
    EXPECT_EQ(FileBytes(dir_ / c.file).rfind(c.magic, 0), 0u) << c.file;
  }
  // A reader's fault is reported and the image is still written, as the window repaints.
  RunResult r = Cli("render -C . --no-profile --mode 1 -o empty.png");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "error 21: info.txtが見つかりません\n");
  EXPECT_TRUE(fs::exists(dir_ / "empty.png"));
  // Usage errors.
  EXPECT_EQ(Cli("render -C . --mode 8 -o x.png").status, 2);
  EXPECT_EQ(Cli("render -C . -o x.png").status, 2);
  EXPECT_EQ(Cli("render -C . --mode 1 -o x.bmp").status, 2);
  EXPECT_EQ(Cli("render -C . --mode 1 --size 0x5 -o x.png").status, 2);
}

}  // namespace
}  // namespace orbline
