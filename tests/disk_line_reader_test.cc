#include "platform/disk_line_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "temp_folder.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;

class DiskLineReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = FreshTestFolder("disk");
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_ / "secret.txt", fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }

  fs::path dir_;
};

TEST_F(DiskLineReaderTest, ReadsLinesOfAFileInTheWorkingFolder) {
  Write("info.txt", "first\r\nsecond\nthird");
  DiskLineReader reader(dir_.string());
  FileStatus status;
  auto file = reader.Open("info.txt", &status);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(status, FileStatus::kOk);
  std::string_view line;
  std::vector<std::string> lines;
  while (file->ReadLine(&line) == LineFile::Result::kLine) lines.emplace_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"first", "second", "third"}));
}

TEST_F(DiskLineReaderTest, MissingFileIsNotFound) {
  DiskLineReader reader(dir_.string());
  FileStatus status = FileStatus::kOk;
  EXPECT_EQ(reader.Open("eki.txt", &status), nullptr);
  EXPECT_EQ(status, FileStatus::kNotFound);
}

TEST_F(DiskLineReaderTest, FolderInTheFilesPlaceIsAnotherFailure) {
  fs::create_directory(dir_ / "map.txt");
  DiskLineReader reader(dir_.string());
  FileStatus status = FileStatus::kOk;
  EXPECT_EQ(reader.Open("map.txt", &status), nullptr);
  EXPECT_EQ(status, FileStatus::kOtherError);
}

TEST_F(DiskLineReaderTest, WorkingFolderThatIsAFileIsAnotherFailure) {
  Write("notafolder", "x");
  DiskLineReader reader((dir_ / "notafolder").string());
  FileStatus status = FileStatus::kOk;
  EXPECT_EQ(reader.Open("info.txt", &status), nullptr);
  EXPECT_EQ(status, FileStatus::kOtherError);
}

TEST_F(DiskLineReaderTest, UnreadableFileIsAnotherFailure) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  Write("secret.txt", "x\n");
  fs::permissions(dir_ / "secret.txt", fs::perms::none);
  DiskLineReader reader(dir_.string());
  FileStatus status = FileStatus::kOk;
  EXPECT_EQ(reader.Open("secret.txt", &status), nullptr);
  EXPECT_EQ(status, FileStatus::kOtherError);
}

TEST_F(DiskLineReaderTest, EmptyFolderMeansTheCurrentFolder) {
  Write("kind.txt", "k\n");
  fs::path old = fs::current_path();
  fs::current_path(dir_);
  DiskLineReader reader;
  FileStatus status;
  auto file = reader.Open("kind.txt", &status);
  fs::current_path(old);
  ASSERT_NE(file, nullptr);
  std::string_view line;
  EXPECT_EQ(file->ReadLine(&line), LineFile::Result::kLine);
  EXPECT_EQ(line, "k");
}

}  // namespace
}  // namespace orbline
