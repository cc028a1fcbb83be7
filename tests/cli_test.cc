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
  std::string Said() const { return std::to_string(status) + " " + err; }
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
  EXPECT_EQ(r.Said(), "0 ");
  EXPECT_EQ(r.out, "wrote " + (fs::canonical(dir_) / "sample.zkf").string() + " (" +
                       std::to_string(fs::file_size(dir_ / "sample.zkf")) + " bytes)\n");
  r = Cli("dump sample.zkf");
  EXPECT_NE(r.out.find("ZKF format 2.00"), std::string::npos);
  EXPECT_NE(r.out.find("routeName: 汐凪高原線"), std::string::npos) << "texts shown as UTF-8";
  r = Cli("dump sample.zkf --json");
  EXPECT_EQ(r.out.rfind("{\"version\":200,\"info\":{\"routeName\":\"汐凪高原線\"", 0), 0u) << r.out.substr(0, 80);
  EXPECT_NE(r.out.find("\"maxCalcStation\":22,\"weekkind\":0"), std::string::npos);
}

TEST_F(OrblinecTest, SettingsComeFromTheProfileAndAreNeverWrittenBack) {
  std::ofstream(profile_) << "[data]\nkugiri=1\n";
  EXPECT_EQ(Cli("compile -C '" + kSampleComma + "' -o comma.zkf").Said(), "0 ");
  // The tab form read as comma-separated: other separators than the settings name, no station name.
  const std::string separator = ": warning 82: 区切り文字が設定と違うようです 「データの形式情報」を確かめてください\n";
  EXPECT_EQ(Cli("compile -C '" + kSample + "' -o tab.zkf").Said(),
            "1 " + kSample + "/kind.txt:1" + separator + kSample + "/eki.txt:1" + separator + kSample +
                "/eki.txt:1: error 44: eki.txtの1行目の駅名が空欄です\n");
  // Options override the profile for this run.
  EXPECT_EQ(Cli("compile -C '" + kSample + "' -o tab.zkf --separator tab").Said(), "0 ");
  EXPECT_EQ(Cli("compile -C '" + kSample + "' -o tab2.zkf --no-profile").Said(), "0 ");
  EXPECT_EQ(FileBytes(profile_), "[data]\nkugiri=1\n");
  EXPECT_TRUE(FileBytes(dir_ / "comma.zkf") == FileBytes(dir_ / "tab.zkf")) << "the same line in both forms";
}

TEST_F(OrblinecTest, FaultsAreOneLineEach) {
  fs::copy(kSample, dir_ / "line");
  std::ofstream(dir_ / "line" / "eki.txt", std::ios::app) << "1\t5\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tN\r\n";
  // A To without its To2 is reported and compiling goes on.
  EXPECT_EQ(Cli("compile -C line -o out.zkf").Said(), "0 line/eki.txt:24: error 13: [Eki]　To駅の行き先To2が 記入されていません\n");
  fs::remove(dir_ / "line" / "data2.txt");
  EXPECT_EQ(Cli("compile -C line -o out2.zkf").Said(), "1 line/data2.txt: error 61: data2.txtが見つかりません\n");
  EXPECT_FALSE(fs::exists(dir_ / "out2.zkf"));
  // A file that cannot be written: error 71 with the path and the reason, then the compile box.
  EXPECT_NE(Cli("compile -C line --weekkind 1 -o missing/out.zkf")
                .Said()
                .find("1 line/eki.txt:24: error 13: [Eki]　To駅の行き先To2が 記入されていません\n"
                      "error 71: *.zkfでエラー発生 (missing/out.zkf: No such file or directory)\n"
                      "コンパイル: コンパイルに失敗しました。\n"),
            std::string::npos);
  // Never over a source file, whatever path names it.
  EXPECT_NE(Cli("compile -C line/ --weekkind 1 -o ./line/../line/eki.txt").Said().find(
                "error 72: ソースファイルの上には ZKFファイルを書き込めません (./line/../line/eki.txt is eki.txt)"),
            std::string::npos);
}

TEST_F(OrblinecTest, CheckAllListsEveryFindingThenACount) {
  fs::copy(kSample, dir_ / "line");
  std::ofstream(dir_ / "line" / "eki.txt", std::ios::app) << "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t100\t0\tL\tN\r\n";
  fs::remove(dir_ / "line" / "data2.txt");
  std::ofstream(dir_ / "line" / "info.txt", std::ios::app) << "\xE6\xB1\x90\r\n";  // UTF-8
  const std::string utf8 = "line/info.txt:10: warning 81: 文字コードがUTF-8のようです Shift_JISで保存し直してください\n",
                    ratio = "line/eki.txt:24: error 43: eki.txtの24行目の割合が 0～99%になっていません\n";
  EXPECT_EQ(Cli("check --all -C line --no-profile").Said(),
            "1 " + utf8 + ratio + "line/data2.txt: error 61: data2.txtが見つかりません\n2 errors, 1 warnings\n");
  EXPECT_EQ(Cli("check -C line --no-profile").Said(), "1 " + utf8 + ratio) << "the first fault stops it";
  EXPECT_EQ(Cli("check --all -C '" + kSample + "' --no-profile").Said(), "0 0 errors, 0 warnings\n");
  // The same as JSON on standard output, which a JSON parser reads back.
  RunResult r = Cli("check --all --json -C line --no-profile");
  EXPECT_EQ(r.Said(), "1 ");
  QJsonParseError error;
  const QJsonArray array = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error).array();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out;
  ASSERT_EQ(array.size(), 3);
  const QJsonObject o = array[1].toObject();
  EXPECT_EQ(o[QStringLiteral("file")].toString() + QStringLiteral(" %1 %2 %3 ").arg(o[QStringLiteral("line")].toInt())
                                                      .arg(o[QStringLiteral("code")].toInt())
                                                      .arg(o[QStringLiteral("severity")].toString()) +
                o[QStringLiteral("message")].toString(),
            QStringLiteral(u"eki.txt 24 43 error eki.txtの24行目の割合が\n0～99%になっていません"));
  EXPECT_EQ(array[0].toObject()[QStringLiteral("severity")].toString(), QStringLiteral("warning"));
}

TEST_F(OrblinecTest, UsageAndBrokenFiles) {
  EXPECT_EQ(Cli("compile --kugiri 9").Said(), "2 orblinec: --kugiri takes a whole number from 0 to 3, not '9'\nTry 'orblinec --help'\n");
  EXPECT_EQ(Cli("decompile x.zkf --help").out.rfind("usage: orblinec compile", 0), 0u);
  EXPECT_NE(Cli("--version").out.find("Zelkor Maker Ver 1.17"), std::string::npos);
  EXPECT_EQ(Cli("compile -C no-such-folder").Said(), "1 orblinec: no-such-folder: no such folder\n");
  std::ofstream(dir_ / "short.zkf", std::ios::binary) << "\x08[Zelkor]\xC8";
  EXPECT_EQ(Cli("dump short.zkf").Said(), "1 orblinec: short.zkf: byte 9: the file ends here, in a WORD of 2 bytes (1 left)\n");
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
