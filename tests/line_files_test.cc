// Source files line by line: from memory through buffers of every size, and from disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/disk_line_reader.h"
#include "platform/memory_line_reader.h"
#include "test_files.h"

namespace orbline {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

// Every line of `name`, then "<error>" after a read error; checks that the end or the error repeats.
V ReadAll(LineReader& files, const std::string& name) {
  FileStatus status;
  auto file = files.Open(name, &status);
  if (!file) return {status == FileStatus::kNotFound ? "<not found>" : "<cannot open>"};
  V lines;
  std::string_view line;
  for (LineFile::Result r; (r = file->ReadLine(&line)) != LineFile::Result::kEnd;) {
    if (r == LineFile::Result::kError) {
      EXPECT_EQ(file->ReadLine(&line), LineFile::Result::kError) << "once failed, the file stays failed";
      lines.push_back("<error>");
      return lines;
    }
    lines.emplace_back(line);
  }
  EXPECT_EQ(file->ReadLine(&line), LineFile::Result::kEnd) << "the end repeats";
  return lines;
}

// Every case runs with buffers smaller than a line, so that lines and CR LF pairs straddle reads.
class LineSplittingTest : public ::testing::TestWithParam<size_t> {
 protected:
  V Lines(const std::string& bytes) {
    MemoryLineReader files(GetParam());
    files.Set("f.txt", bytes);
    return ReadAll(files, "f.txt");
  }
};

TEST_P(LineSplittingTest, LineEndsAndBytes) {
  EXPECT_EQ(Lines(""), V{});
  EXPECT_EQ(Lines("a\r\nb\n"), (V{"a", "b"}));
  EXPECT_EQ(Lines("a\nbc"), (V{"a", "bc"})) << "a last line without a line end still counts";
  EXPECT_EQ(Lines("a\n"), (V{"a"})) << "a final line break adds no empty line";
  EXPECT_EQ(Lines("\r\n\r\n"), (V{"", ""}));
  EXPECT_EQ(Lines("x\n\n\ny\r\n"), (V{"x", "", "", "y"}));
  EXPECT_EQ(Lines("abcdef\r\nghijkl\r\nmnopq"), (V{"abcdef", "ghijkl", "mnopq"}));
  // Only a CR before an LF is part of the line end.
  EXPECT_EQ(Lines("a\rb\r\n"), (V{"a\rb"}));
  EXPECT_EQ(Lines("a\r"), (V{"a\r"}));
  EXPECT_EQ(Lines("a\r\r\n"), (V{"a\r"}));
  // NUL bytes and lone lead bytes pass unchanged.
  EXPECT_EQ(Lines(std::string("a\0b\r\n\0", 6)), (V{std::string("a\0b", 3), std::string("\0", 1)}));
  EXPECT_EQ(Lines("\x82\xa0\x81\r\n\x81"), (V{"\x82\xa0\x81", "\x81"}));
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, LineSplittingTest, ::testing::Values(1, 2, 3, 7, 64 * 1024));

TEST(LineFilesTest, LongLinesReadErrorsAndOpenFailuresInMemory) {
  std::string big(10 * 1024 * 1024, 'x');
  MemoryLineReader files(64 * 1024);
  files.Set("big.txt", "head\r\n" + big + "\r\ntail");
  EXPECT_TRUE(ReadAll(files, "big.txt") == (V{"head", big, "tail"}));
  // The part of a line before a failure is not a line.
  files.SetFailingRead("f.txt", "one\r\ntwo\r\nthree\r\n", 8);
  EXPECT_EQ(ReadAll(files, "f.txt"), (V{"one", "<error>"}));
  files.SetOpenFailure("locked.txt", FileStatus::kOtherError);
  EXPECT_EQ(ReadAll(files, "locked.txt"), V{"<cannot open>"});
  EXPECT_EQ(ReadAll(files, "missing.txt"), V{"<not found>"});
}

TEST(LineFilesTest, OnDisk) {
  const fs::path dir = FreshTestFolder("disk");
  // A Ctrl-Z is data, on Windows too.
  std::ofstream(dir / "info.txt", std::ios::binary) << "first\r\nsec\x1Aond\nthird\x1A";
  DiskLineReader reader(dir);
  EXPECT_EQ(ReadAll(reader, "info.txt"), (V{"first", "sec\x1Aond", "third\x1A"}));
  DiskLineReader inFile(dir / "info.txt");
  EXPECT_EQ(ReadAll(inFile, "kind.txt"), V{"<cannot open>"}) << "a working folder that is a file";
  // No folder: the current one.
  const fs::path old = fs::current_path();
  fs::current_path(dir);
  DiskLineReader here;
  EXPECT_EQ(ReadAll(here, "info.txt").size(), 3u);
  fs::current_path(old);
  EXPECT_EQ(*reader.PathOf("eki.txt"), dir / "eki.txt");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace orbline
