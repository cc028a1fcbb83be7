// The compile command over real files: step order, messages, where the file goes, and faults.
#include "compiler/compile_command.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "compiler/zkf_reader.h"
#include "doc_fixture.h"
#include "temp_folder.h"
#include "file_bytes.h"
#include "platform/disk_line_reader.h"
#include "platform/finding_sinks.h"
#include "platform/fixed_save_prompt.h"
#include "platform/services.h"
#include "platform/recording_message_sink.h"
#include "zkf_expect.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;


std::vector<std::string> Listing(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class CompileCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    out_ = FreshTestFolder("compile");
    MakeDoc(ORBLINE_SOURCE_DIR "/examples/sample");
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(out_, fs::perms::owner_all, ec);
    fs::remove_all(out_, ec);
  }
  void MakeDoc(const std::string& sources) {
    files_ = std::make_unique<DiskLineReader>(sources);
    doc_ = std::make_unique<Document>();
  }
  // The services as the window has them: each error in a stop box.
  Services Window() { return Services{*files_, boxes_, messages_, cursor_, &prompt_}; }
  // The compile failure box, exactly as the command shows it.
  void ExpectFailureBox(const RecordingMessageSink::Message& m) {
    EXPECT_EQ(m.text, Sjis("コンパイルに失敗しました。"));
    EXPECT_EQ(m.caption, Sjis("コンパイル"));
    EXPECT_EQ(m.icon, MessageIcon::kStop);
  }
  // A write that fails: error 71, then the failure box, and nothing else.
  void ExpectWriteFailure() {
    ASSERT_EQ(messages_.messages().size(), 2u);
    EXPECT_EQ(messages_.messages()[0].text, "error 71\n\n" + Sjis("*.zkfでエラー発生"));
    ExpectFailureBox(messages_.messages()[1]);
  }

  fs::path out_;
  std::unique_ptr<DiskLineReader> files_;
  RecordingMessageSink messages_;
  BoxFindings boxes_{messages_};
  WaitCursor cursor_;
  FixedSavePrompt prompt_;
  std::unique_ptr<Document> doc_;
};

TEST_F(CompileCommandTest, SampleLineCompilesSilentlyAndReadsBack) {
  prompt_.SetPath((out_ / "line.zkf").string());
  EXPECT_TRUE(RunCompileCommand(*doc_, Window()));
  EXPECT_TRUE(messages_.messages().empty()) << messages_.messages()[0].text;
  EXPECT_EQ(cursor_.depth(), 0);
  const std::string bytes = FileBytes(out_ / "line.zkf");
  ZkfError error;
  std::optional<ZkfFile> f = ReadZkf(bytes, &error);
  ASSERT_TRUE(f.has_value()) << error.offset << ": " << error.what;
  ExpectFileMatchesDocument(*f, *doc_);
  EXPECT_EQ(f->stations.size(), 24u);
  EXPECT_EQ(f->maxCalcStation, 22);
  EXPECT_EQ(Listing(out_), std::vector<std::string>{"line.zkf"}) << "no temporary file is left";
}

TEST_F(CompileCommandTest, PromptGetsItsParametersAndTheChoiceIsKept) {
  fs::create_directories(out_ / "elsewhere");
  prompt_.SetPath((out_ / "elsewhere" / "first.zkf").string());
  ASSERT_TRUE(RunCompileCommand(*doc_, Window()));
  EXPECT_EQ(prompt_.lastRequest.defaultExtension, "zkf");
  EXPECT_EQ(prompt_.lastRequest.initialName, "");
  EXPECT_EQ(doc_->targetFileName, "first.zkf");
  EXPECT_EQ(doc_->targetFolder, (out_ / "elsewhere").string());
  EXPECT_EQ(files_->folder(), ORBLINE_SOURCE_DIR "/examples/sample") << "the sources are still read from there";
  // The next prompt starts from the last choice, and the next compile reads the same sources.
  prompt_.SetPath((out_ / "second.zkf").string());
  ASSERT_TRUE(RunCompileCommand(*doc_, Window()));
  EXPECT_EQ(prompt_.lastRequest.initialName, "first.zkf");
  EXPECT_EQ(prompt_.lastRequest.initialFolder, (out_ / "elsewhere").string());
  EXPECT_EQ(FileBytes(out_ / "second.zkf"), FileBytes(out_ / "elsewhere" / "first.zkf"));
  EXPECT_TRUE(messages_.messages().empty());
}

TEST_F(CompileCommandTest, CancelShowsOnlyTheFailureBox) {
  doc_->targetFileName = "kept.zkf";
  prompt_.SetCancel();
  EXPECT_FALSE(RunCompileCommand(*doc_, Window()));
  ASSERT_EQ(messages_.messages().size(), 1u);
  ExpectFailureBox(messages_.messages()[0]);
  EXPECT_EQ(doc_->targetFileName, "kept.zkf");
  EXPECT_EQ(cursor_.depth(), 0);
}

TEST_F(CompileCommandTest, AFailingReaderStopsBeforeThePrompt) {
  MakeDoc(out_.string());  // an empty folder
  prompt_.SetPath((out_ / "x.zkf").string());
  EXPECT_FALSE(RunCompileCommand(*doc_, Window()));
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0].text, "error 21\n\n" + Sjis("info.txtが見つかりません"));
  EXPECT_EQ(prompt_.asked, 0);
  // Each step in turn: with info.txt, kind.txt is missing next.
  fs::copy_file(ORBLINE_SOURCE_DIR "/examples/sample/info.txt", out_ / "info.txt");
  messages_.Clear();
  EXPECT_FALSE(RunCompileCommand(*doc_, Window()));
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0].text, "error 31\n\n" + Sjis("kind.txtが見つかりません"));
  EXPECT_FALSE(doc_->routeInfo[0].empty()) << "what was read stays";
}

TEST_F(CompileCommandTest, AFatalCheckStopsBeforeThePrompt) {
  for (const char* f : {"info.txt", "kind.txt", "eki.txt", "map.txt", "data1.txt", "data2.txt"})
    fs::copy_file(fs::path(ORBLINE_SOURCE_DIR "/examples/sample") / f, out_ / f);
  std::ofstream(out_ / "map.txt", std::ios::app) << "21\t0\t5\r\n";  // after the last item: row 496
  MakeDoc(out_.string());
  prompt_.SetPath((out_ / "x.zkf").string());
  EXPECT_FALSE(RunCompileCommand(*doc_, Window()));
  ASSERT_EQ(messages_.messages().size(), 1u);
  EXPECT_EQ(messages_.messages()[0].text, "error 14\n\n" + Sjis("[Map]　496行\n計算駅番号が1～100以外"));
  EXPECT_EQ(prompt_.asked, 0);
}

TEST_F(CompileCommandTest, OutputInAMissingFolder) {
  prompt_.SetPath((out_ / "missing" / "x.zkf").string());
  EXPECT_FALSE(RunCompileCommand(*doc_, Window()));
  ExpectWriteFailure();
  EXPECT_FALSE(fs::exists(out_ / "missing"));
  EXPECT_EQ(doc_->targetFileName, "x.zkf") << "the name is kept although writing failed";
}

TEST_F(CompileCommandTest, TargetIsAFolder) {
  fs::create_directories(out_ / "taken.zkf" / "inside");
  prompt_.SetPath((out_ / "taken.zkf").string());
  EXPECT_FALSE(RunCompileCommand(*doc_, Window()));
  ExpectWriteFailure();
  EXPECT_TRUE(fs::is_directory(out_ / "taken.zkf" / "inside"));
  EXPECT_EQ(Listing(out_), std::vector<std::string>{"taken.zkf"});
}

TEST_F(CompileCommandTest, FullDisk) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  prompt_.SetPath("/dev/full");
  EXPECT_FALSE(RunCompileCommand(*doc_, Window()));
  ExpectWriteFailure();
  EXPECT_TRUE(fs::is_character_file("/dev/full")) << "the device is written, never replaced";
}

TEST_F(CompileCommandTest, ReadOnlyFolder) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  fs::permissions(out_, fs::perms::owner_read | fs::perms::owner_exec);
  prompt_.SetPath((out_ / "x.zkf").string());
  EXPECT_FALSE(RunCompileCommand(*doc_, Window()));
  ExpectWriteFailure();
  fs::permissions(out_, fs::perms::owner_all);
  EXPECT_TRUE(Listing(out_).empty());
}

TEST_F(CompileCommandTest, AFailedWriteLeavesTheLastGoodFileUntouched) {
  const fs::path target = out_ / "line.zkf";
  std::ofstream(target) << "last good file";
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  prompt_.SetPath(target.string());
  // Files may grow to 1000 bytes only: the write fails part way, as on a full disk.
  struct rlimit old;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 1000;
  auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = RunCompileCommand(*doc_, Window());
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(ok);
  ExpectWriteFailure();
  EXPECT_EQ(FileBytes(target), "last good file");
  EXPECT_EQ(Listing(out_), std::vector<std::string>{"line.zkf"}) << "the partial file is removed";
  // A good write replaces it and keeps its permissions.
  messages_.Clear();
  EXPECT_TRUE(RunCompileCommand(*doc_, Window()));
  EXPECT_GT(fs::file_size(target), 1000u);
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(CompileCommandTest, ASymbolicLinkIsFollowed) {
  fs::create_directories(out_ / "real");
  std::ofstream(out_ / "real" / "line.zkf") << "old";
  fs::create_symlink(out_ / "real" / "line.zkf", out_ / "link.zkf");
  prompt_.SetPath((out_ / "link.zkf").string());
  EXPECT_TRUE(RunCompileCommand(*doc_, Window()));
  EXPECT_TRUE(fs::is_symlink(out_ / "link.zkf"));
  EXPECT_GT(fs::file_size(out_ / "real" / "line.zkf"), 1000u);
}

TEST_F(CompileCommandTest, NeverOverASourceFile) {
  for (const char* f : {"info.txt", "kind.txt", "eki.txt", "map.txt", "data1.txt", "data2.txt"})
    fs::copy_file(fs::path(ORBLINE_SOURCE_DIR "/examples/sample") / f, out_ / f);
  fs::create_directories(out_ / "other");
  fs::create_symlink(out_ / "data2.txt", out_ / "other" / "link.zkf");
  MakeDoc(out_.string());
  const std::string eki = FileBytes(out_ / "eki.txt");
  // By its name, by another path to it, through a link.
  for (const fs::path& target : {out_ / "eki.txt", out_ / "other" / ".." / "." / "map.txt", out_ / "other" / "link.zkf"}) {
    messages_.Clear();
    const std::string before = FileBytes(target);
    prompt_.SetPath(target);
    EXPECT_FALSE(RunCompileCommand(*doc_, Window())) << target;
    ASSERT_EQ(messages_.messages().size(), 2u) << target;
    EXPECT_EQ(messages_.messages()[0].text, "error 72\n\n" + Sjis("ソースファイルの上には\nZKFファイルを書き込めません"));
    ExpectFailureBox(messages_.messages()[1]);
    EXPECT_EQ(FileBytes(target), before) << target;
    EXPECT_EQ(doc_->targetFileName, "") << "a refused name is not offered again";
  }
  EXPECT_TRUE(fs::is_symlink(out_ / "other" / "link.zkf"));
  // A file of the same name in another folder is no source file.
  prompt_.SetPath(out_ / "other" / "eki.txt");
  EXPECT_TRUE(RunCompileCommand(*doc_, Window()));
  EXPECT_EQ(FileBytes(out_ / "eki.txt"), eki);
}

}  // namespace
}  // namespace orbline
