// Faults around the files, through the whole compile command: each gives exactly its message,
// never touches the sources and never damages a compiled file that is already there.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "compiler/compile_command.h"
#include "doc_fixture.h"
#include "temp_folder.h"
#include "file_bytes.h"
#include "platform/disk_line_reader.h"
#include "platform/fixed_save_prompt.h"
#include "platform/recording_message_sink.h"
#include "platform/services.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;


// Everything below a folder, as path → bytes ("<dir>" for folders, "<link>" for links).
// Links are not followed: one may loop.
void Snapshot(const fs::path& dir, const std::string& prefix, std::map<std::string, std::string>& files) {
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = prefix + e.path().filename().string();
    const fs::file_status st = e.symlink_status();
    if (fs::is_symlink(st)) {
      files[name] = "<link>";
    } else if (fs::is_directory(st)) {
      files[name] = "<dir>";
      Snapshot(e.path(), name + "/", files);
    } else {
      files[name] = FileBytes(e.path());
    }
  }
}

std::map<std::string, std::string> Snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  Snapshot(dir, "", files);
  return files;
}

class FaultInjectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = FreshTestFolder("faults");
    fs::create_directories(root_ / "out");
    fs::copy(ORBLINE_SOURCE_DIR "/examples/sample", root_ / "line");
    std::ofstream(root_ / "out" / "line.zkf") << "the last good file";
  }
  void TearDown() override {
    SetImmutable(root_ / "out", false);
    fs::remove_all(root_);
  }

  // Compiles the line into `target` (default out/line.zkf); returns the codes of the errors, the
  // compile failure box as 1.
  std::vector<int> Compile(const std::string& target = "", int weekkind = 0) {
    DiskLineReader files(root_ / "line");
    FindingList findings;
    RecordingMessageSink messages;
    WaitCursor cursor;
    FixedSavePrompt prompt(target.empty() ? (root_ / "out" / "line.zkf").string() : target);
    auto doc = std::make_unique<Document>();
    doc->settings.weekkind = weekkind;
    const auto before = Snapshot(root_ / "line");
    written_ = RunCompileCommand(*doc, Services{files, findings, messages, cursor, &prompt});
    EXPECT_EQ(Snapshot(root_ / "line"), before) << "the sources are never modified";
    EXPECT_EQ(cursor.depth(), 0);
    std::vector<int> codes;
    for (const auto& f : findings.findings)
      if (f.IsError()) codes.push_back(f.code);
    for (size_t i = 0; i < messages.messages().size(); ++i) codes.push_back(1);
    if (!written_) {
      EXPECT_EQ(FileBytes(root_ / "out" / "line.zkf"), "the last good file") << "the compiled file is untouched";
      EXPECT_EQ(Snapshot(root_ / "out").size(), 1u) << "no partial file is left";
    }
    return codes;
  }

  static bool SetImmutable(const fs::path& p, bool on) {
    int fd = ::open(p.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
  }

  fs::path root_;
  bool written_ = false;
};

using Codes = std::vector<int>;

TEST_F(FaultInjectionTest, SourceReplacedByAFolder) {
  const std::pair<const char*, int> cases[] = {{"info.txt", 22}, {"kind.txt", 32}, {"eki.txt", 42},
                                               {"map.txt", 52},  {"data1.txt", 62}, {"data2.txt", 62}};
  for (const auto& [name, code] : cases) {
    const fs::path p = root_ / "line" / name;
    const std::string bytes = FileBytes(p);
    fs::remove(p);
    fs::create_directory(p);
    EXPECT_EQ(Compile(), (Codes{code})) << name;
    fs::remove(p);
    std::ofstream(p, std::ios::binary) << bytes;
  }
}

TEST_F(FaultInjectionTest, SourcesThatCannotBeOpened) {
  // A link that loops cannot be opened: an unknown cause. A dangling link: not found.
  fs::remove(root_ / "line" / "map.txt");
  fs::create_symlink("map.txt", root_ / "line" / "map.txt");
  EXPECT_EQ(Compile(), (Codes{52}));
  fs::remove(root_ / "line" / "map.txt");
  fs::create_symlink("nowhere.txt", root_ / "line" / "map.txt");
  EXPECT_EQ(Compile(), (Codes{51}));
}

TEST_F(FaultInjectionTest, TimetableMissingInTheMiddleOfTheScheme) {
  fs::remove(root_ / "line" / "data2.txt");
  EXPECT_EQ(Compile("", 2), (Codes{61}));  // data1.txt read, data2.txt missing, data3.txt never tried
  EXPECT_EQ(Compile("", 1), Codes{}) << "scheme 1 reads only data1.txt";
  EXPECT_TRUE(written_);
}

TEST_F(FaultInjectionTest, OutputThatCannotBeWritten) {
  EXPECT_EQ(Compile("/dev/full"), (Codes{71, 1}));
  EXPECT_EQ(Compile((root_ / "out" / "missing" / "x.zkf").string()), (Codes{71, 1}));
  fs::create_directory(root_ / "folder.zkf");
  EXPECT_EQ(Compile((root_ / "folder.zkf").string()), (Codes{71, 1}));
  EXPECT_TRUE(fs::is_directory(root_ / "folder.zkf"));
  // A read-only folder: an immutable one stops root as well; where the file system has no such
  // flag, permissions do for other users.
  if (!SetImmutable(root_ / "out", true)) {
    if (::geteuid() == 0) GTEST_SKIP() << "no immutable folders here, and root ignores permissions";
    fs::permissions(root_ / "out", fs::perms::owner_read | fs::perms::owner_exec);
  }
  EXPECT_EQ(Compile(), (Codes{71, 1}));
  SetImmutable(root_ / "out", false);
  fs::permissions(root_ / "out", fs::perms::owner_all);
}

TEST_F(FaultInjectionTest, FileCutAnywhereInItsLastLines) {
  // eki.txt cut at every byte of its last two lines: the cut line is read as far as it goes.
  const fs::path eki = root_ / "line" / "eki.txt";
  const std::string bytes = FileBytes(eki);
  const size_t lastTwo = bytes.rfind("\r\n", bytes.rfind("\r\n", bytes.size() - 3) - 1) + 2;
  int tried = 0;
  for (size_t cut = lastTwo; cut < bytes.size(); ++cut) {
    std::ofstream(eki, std::ios::binary | std::ios::trunc) << bytes.substr(0, cut);
    const Codes codes = Compile();
    ++tried;
    // A cut before the name leaves it blank (44); a later cut still compiles.
    if (!codes.empty()) {
      EXPECT_EQ(codes, (Codes{44})) << "cut at " << cut;
    }
    std::ofstream(root_ / "out" / "line.zkf", std::ios::trunc) << "the last good file";
  }
  EXPECT_GT(tried, 60);
  RecordProperty("inputs", tried);
}

TEST_F(FaultInjectionTest, MixedLineEndsReadAlike) {
  ASSERT_EQ(Compile(), Codes{});
  const std::string reference = FileBytes(root_ / "out" / "line.zkf");
  // Every other line of every file loses its CR.
  for (const auto& e : fs::directory_iterator(root_ / "line")) {
    std::string text = FileBytes(e.path()), mixed;
    bool odd = false;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' && (odd = !odd)) continue;
      mixed += text[i];
    }
    std::ofstream(e.path(), std::ios::binary | std::ios::trunc) << mixed;
  }
  ASSERT_EQ(Compile(), Codes{});
  EXPECT_TRUE(FileBytes(root_ / "out" / "line.zkf") == reference);
}

}  // namespace
}  // namespace orbline
