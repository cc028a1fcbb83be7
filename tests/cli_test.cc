// orblinec: its command line, where messages point, and the program run as an author runs it.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/command_line.h"
#include "cli/terminal_findings.h"
#include "doc/error_code.h"
#include "temp_folder.h"
#include "file_bytes.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

std::optional<CommandLine> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string ignored;
  return ParseCommandLine(args, error ? error : &ignored);
}

TEST(CommandLineTest, SettingsAndUsageErrors) {
  auto cl = Parse({"compile", "-C", "line", "-o", "x.zkf", "--separator", "fixed", "--kankaku=8", "--weekkind", "2",
                   "--top", "1", "--30sec=0", "--no-profile"});
  ASSERT_TRUE(cl);
  EXPECT_EQ(cl->command, CommandLine::Command::kCompile);
  EXPECT_EQ(cl->folder + " " + cl->output, "line x.zkf");
  EXPECT_EQ((std::vector<int>{*cl->kugiri, *cl->kankaku, *cl->weekkind, *cl->top, *cl->sec30}),
            (std::vector<int>{3, 8, 2, 1, 0}));
  EXPECT_TRUE(cl->noProfile);
  cl = Parse({"check"});
  EXPECT_FALSE(cl->kugiri || cl->kankaku || cl->weekkind || cl->top || cl->sec30) << "the profile decides";
  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{}, "no command given"},
      {{"build"}, "unknown command 'build'"},
      {{"compile", "extra"}, "unexpected argument 'extra'"},
      {{"compile", "-C"}, "Missing value after '-C'."},
      {{"compile", "--kugiri", "4"}, "--kugiri takes a whole number from 0 to 3, not '4'"},
      {{"compile", "--kankaku", "5x"}, "--kankaku takes a whole number from 0 to 100, not '5x'"},
      {{"check", "--separator", "semicolon"}, "--separator takes tab, comma, space or fixed, not 'semicolon'"},
      {{"check", "--json"}, "--json goes with dump or check --all"},
      {{"compile", "--all"}, "--all goes with check"},
      {{"check", "-o", "x.zkf"}, "check writes no file; -o goes with compile"},
      {{"dump", "a.zkf", "b.zkf"}, "dump takes one ZKF file"},
      {{"render", "-o", "x.png"}, "render needs --mode N"},
      {{"render", "--mode", "8"}, "--mode takes a whole number from 1 to 7, not '8'"},
      {{"render", "--mode", "1", "-o", "x.png", "--size", "0x9"}, "--size takes WIDTHxHEIGHT in pixels, each 1 to 20000, not '0x9'"},
      {{"decompile", "a.zkf", "--weekkind", "1"}, "decompile chooses its own settings; only --kugiri 0, 1 or 2 may be given"},
      {{"compile", "--frobnicate"}, "Unknown option 'frobnicate'."},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(Parse(c.args, &error)) << c.error;
    EXPECT_EQ(error, c.error);
  }
  EXPECT_EQ(Parse({"compile", "--help"})->command, CommandLine::Command::kHelp);
  EXPECT_EQ(Parse({"dump", "--version"})->command, CommandLine::Command::kVersion);
  cl = Parse({"render", "--mode", "4", "--page=12", "--grid", "--size", "640x480", "-o", "m.png"});
  EXPECT_EQ((std::vector<int>{cl->mode, cl->page, cl->grid, cl->width, cl->height}), (std::vector<int>{4, 12, 1, 640, 480}));
}

TEST(FindingLineTest, PlaceSeverityCodeAndMessageOnOneLine) {
  Finding f = MakeFinding(44, 3, 0, "eki.txt", 3);
  EXPECT_EQ(FindingLine(f, "line"), "line/eki.txt:3: error 44: eki.txtの3行目の駅名が空欄です");
  EXPECT_EQ(FindingLine(f, "."), "eki.txt:3: error 44: eki.txtの3行目の駅名が空欄です");
  f = MakeFinding(61, 2, 0, "data2.txt", 0);
  EXPECT_EQ(FindingLine(f, ""), "data2.txt: error 61: data2.txtが見つかりません") << "a whole file has no line";
  f = MakeFinding(71, 0, 0, "", 0);
  f.detail = "x.zkf: No space left on device";
  EXPECT_EQ(FindingLine(f, "line"), "error 71: *.zkfでエラー発生 (x.zkf: No space left on device)");
  EXPECT_EQ(FindingLine(MakeFinding(kWarnUtf8, 0, 0, "map.txt", 4), ""),
            "map.txt:4: warning 81: 文字コードがUTF-8のようです Shift_JISで保存し直してください");
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
  const std::string separator = ": warning 82: 区切り文字が設定と違うようです 「データの形式情報」を確かめてください\n";
  EXPECT_EQ(r.err, kSample + "/kind.txt:1" + separator + kSample + "/eki.txt:1" + separator + kSample +
                       "/eki.txt:1: error 44: eki.txtの1行目の駅名が空欄です\n");
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
  EXPECT_EQ(r.err, "eki.txt:24: error 13: [Eki]　To駅の行き先To2が 記入されていません\n");
  // A missing timetable file.
  fs::remove(dir_ / "data2.txt");
  r = Cli("compile -o out2.zkf");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "data2.txt: error 61: data2.txtが見つかりません\n") << "the timetables are read before the checks";
  EXPECT_FALSE(fs::exists(dir_ / "out2.zkf"));
  // A file that cannot be written: error 71 and the compile box, as one line each.
  r = Cli("compile --weekkind 1 -o missing/out.zkf");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("error 71: *.zkfでエラー発生 (missing/out.zkf: No such file or directory)\n"
                       "コンパイル: コンパイルに失敗しました。\n"),
            std::string::npos)
      << r.err;
}

TEST_F(OrblinecTest, CheckAllListsEveryFindingThenACount) {
  fs::copy(kSample, dir_ / "line");
  {
    std::ofstream eki(dir_ / "line" / "eki.txt", std::ios::app);
    eki << "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t100\t0\tL\tN\r\n";  // line 24: a ratio of 100
  }
  fs::remove(dir_ / "line" / "data2.txt");
  std::ofstream(dir_ / "line" / "info.txt", std::ios::app) << "\xE6\xB1\x90\r\n";  // UTF-8
  RunResult r = Cli("check --all -C line --no-profile");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err,
            "line/info.txt:10: warning 81: 文字コードがUTF-8のようです Shift_JISで保存し直してください\n"
            "line/eki.txt:24: error 43: eki.txtの24行目の割合が 0～99%になっていません\n"
            "line/data2.txt: error 61: data2.txtが見つかりません\n"
            "2 errors, 1 warnings\n");
  // The same as JSON on standard output, which a JSON parser reads back.
  r = Cli("check --all --json -C line --no-profile");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "");
  QJsonParseError error;
  const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out;
  const QJsonArray array = json.array();
  ASSERT_EQ(array.size(), 3);
  const QJsonObject ratio = array[1].toObject();
  EXPECT_EQ(ratio[QStringLiteral("file")].toString(), QStringLiteral("eki.txt"));
  EXPECT_EQ(ratio[QStringLiteral("line")].toInt(), 24);
  EXPECT_EQ(ratio[QStringLiteral("severity")].toString(), QStringLiteral("error"));
  EXPECT_EQ(ratio[QStringLiteral("code")].toInt(), 43);
  EXPECT_EQ(ratio[QStringLiteral("message")].toString(), QStringLiteral(u"eki.txtの24行目の割合が\n0～99%になっていません"));
  EXPECT_EQ(array[0].toObject()[QStringLiteral("severity")].toString(), QStringLiteral("warning"));
  // A line with warnings alone passes; the first-fault check stops at the ratio.
  EXPECT_EQ(Cli("check --all -C '" + kSample + "' --no-profile").err, "0 errors, 0 warnings\n");
  r = Cli("check -C line --no-profile");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "line/info.txt:10: warning 81: 文字コードがUTF-8のようです Shift_JISで保存し直してください\n"
                   "line/eki.txt:24: error 43: eki.txtの24行目の割合が 0～99%になっていません\n");
}

TEST_F(OrblinecTest, NeverCompilesOverASourceFile) {
  fs::copy(kSample, dir_ / "line");
  const std::string eki = FileBytes(dir_ / "line" / "eki.txt");
  RunResult r = Cli("compile --no-profile -C line/ -o ./line/../line/eki.txt");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("error 72: ソースファイルの上には ZKFファイルを書き込めません (./line/../line/eki.txt is eki.txt)"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(Orblinec("compile --no-profile -o data1.txt", dir_ / "line", env_).status, 1);
  EXPECT_TRUE(FileBytes(dir_ / "line" / "eki.txt") == eki);
}

TEST_F(OrblinecTest, UsageAndBrokenFiles) {
  RunResult r = Cli("compile --kugiri 9");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "orblinec: --kugiri takes a whole number from 0 to 3, not '9'\nTry 'orblinec --help'\n");
  EXPECT_EQ(Cli("decompile x.zkf --help").out.rfind("usage: orblinec compile", 0), 0u);
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
  EXPECT_EQ(Cli("decompile bad.zkf -C other").status, 1);
  EXPECT_FALSE(fs::exists(dir_ / "other"));
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
  EXPECT_EQ(r.err, "info.txt: error 21: info.txtが見つかりません\n");
  EXPECT_TRUE(fs::exists(dir_ / "empty.png"));
  EXPECT_EQ(Cli("render -C . --mode 1 -o x.bmp").status, 2);
}

}  // namespace
}  // namespace orbline
