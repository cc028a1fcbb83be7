// Replacing a compiled file on the disk, on each system: twice to one name, under Japanese names,
// and every reason it can fail for, each in the project's own words, the old file kept.
#include "platform/replacing_file_writer.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/disk_line_reader.h"
#include "platform/utf8_path.h"
#include "platform/write_failure.h"
#include "test_files.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

// Writes `bytes` to `path`; the reason it failed, or "" when it did not.
std::string Write(const fs::path& path, const std::string& bytes) {
  std::string reason;
  const bool ok = WriteFileReplacing(
      path, [&bytes](ByteSink& sink) { return sink.Write(bytes.data(), bytes.size()); }, &reason);
  EXPECT_EQ(ok, reason.empty()) << reason;
  return reason;
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(Utf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

class PlatformFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = FreshTestFolder("files");
    target_ = dir_ / "line.zkf";
    std::ofstream(target_, std::ios::binary) << "the last good file";
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(dir_, ec))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  fs::path dir_, target_;
};

TEST_F(PlatformFilesTest, TwiceToOneNameUnderJapaneseNames) {
  const fs::path folder = dir_ / PathFromUtf8("路線 データ");
  fs::create_directories(folder);
  const fs::path target = folder / PathFromUtf8("汐凪高原線.zkf");
  EXPECT_EQ(Write(target, "first"), "");
  EXPECT_EQ(Write(target, "second"), "") << "the second compile to one name replaces the first";
  EXPECT_EQ(FileBytes(target), "second");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"汐凪高原線.zkf"}) << "no temporary file is left";
  // The source files are read from a Japanese folder as well.
  std::ofstream(folder / "info.txt", std::ios::binary) << "a\r\n";
  FileStatus status;
  EXPECT_NE(DiskLineReader(folder).Open("info.txt", &status), nullptr);
}

TEST_F(PlatformFilesTest, AFolderMissingAFileInAFoldersPlaceAFolderOfTheName) {
  std::ofstream(dir_ / "info.txt") << "a source file";
  fs::create_directories(dir_ / "out.zkf" / "inside");
  const std::pair<fs::path, WriteFailure> cases[] = {{dir_ / "missing" / "x.zkf", WriteFailure::kNoSuchFolder},
                                                     {dir_ / "info.txt" / "x.zkf", WriteFailure::kNotAFolder},
                                                     {dir_ / "info.txt" / "sub" / "x.zkf", WriteFailure::kNotAFolder},
                                                     {dir_ / "out.zkf", WriteFailure::kIsAFolder}};
  for (const auto& [path, failure] : cases) EXPECT_EQ(Write(path, "new"), WriteFailureText(failure)) << Utf8(path);
  EXPECT_EQ(Names(dir_), (std::vector<std::string>{"info.txt", "line.zkf", "out.zkf"})) << "nothing is left";
  // Reading tells the same cases apart: a file in the folder's place is no missing file.
  FileStatus status;
  EXPECT_EQ(DiskLineReader(dir_ / "info.txt").Open("kind.txt", &status), nullptr);
  EXPECT_EQ(status, FileStatus::kOtherError);
  EXPECT_EQ(DiskLineReader(dir_ / "missing").Open("kind.txt", &status), nullptr);
  EXPECT_EQ(status, FileStatus::kNotFound);
}

TEST_F(PlatformFilesTest, ATargetHeldOpenByAnotherProgram) {
#ifdef _WIN32
  // As a simulator holds the file it runs: reading, sharing reading only.
  const HANDLE held = CreateFileW(target_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Write(target_, "new"), WriteFailureText(WriteFailure::kInUse));
  CloseHandle(held);
  EXPECT_EQ(FileBytes(target_), "the last good file");
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"line.zkf"}) << "no temporary file is left";
  EXPECT_EQ(Write(target_, "new"), "") << "once it is closed";
#else
  // The name is replaced; the program that has the file open goes on reading the old one.
  std::ifstream held(target_, std::ios::binary);
  EXPECT_EQ(Write(target_, "new"), "");
  std::string old;
  std::getline(held, old);
  EXPECT_EQ(old, "the last good file");
#endif
  EXPECT_EQ(FileBytes(target_), "new");
}

TEST_F(PlatformFilesTest, AReadOnlyTarget) {
  fs::permissions(target_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
#ifdef _WIN32
  EXPECT_EQ(Write(target_, "new"), WriteFailureText(WriteFailure::kReadOnlyFile));
  EXPECT_EQ(FileBytes(target_), "the last good file");
  EXPECT_EQ(Names(dir_), std::vector<std::string>{"line.zkf"});
#else
  // A read-only file in a folder the user may write is replaced, and stays read-only.
  EXPECT_EQ(Write(target_, "new"), "");
  EXPECT_EQ(FileBytes(target_), "new");
  EXPECT_EQ(fs::status(target_).permissions() & fs::perms::owner_write, fs::perms::none);
#endif
}

TEST_F(PlatformFilesTest, AFolderWithoutPermission) {
  const fs::path locked = dir_ / "locked";
  fs::create_directories(locked);
  std::ofstream(locked / "line.zkf", std::ios::binary) << "the last good file";
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  if (std::ofstream(locked / "probe")) {
    fs::remove(locked / "probe");
    GTEST_SKIP() << "this user may write in any folder (root, or root under wine)";
  }
  EXPECT_EQ(Write(locked / "line.zkf", "new"), WriteFailureText(WriteFailure::kNoPermission));
  EXPECT_EQ(FileBytes(locked / "line.zkf"), "the last good file");
}

}  // namespace
}  // namespace orbline
