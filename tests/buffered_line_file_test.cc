#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_line_reader.h"

namespace orbline {
namespace {

struct ReadAll {
  std::vector<std::string> lines;
  bool error = false;
};

ReadAll Read(MemoryLineReader& files, const std::string& name) {
  ReadAll r;
  FileStatus status;
  auto file = files.Open(name, &status);
  EXPECT_EQ(status, FileStatus::kOk);
  if (!file) return r;
  std::string_view line;
  for (;;) {
    auto res = file->ReadLine(&line);
    if (res == LineFile::Result::kEnd) break;
    if (res == LineFile::Result::kError) {
      r.error = true;
      // Once failed, the file stays failed.
      EXPECT_EQ(file->ReadLine(&line), LineFile::Result::kError);
      break;
    }
    r.lines.emplace_back(line);
  }
  if (!r.error) {
    EXPECT_EQ(file->ReadLine(&line), LineFile::Result::kEnd) << "the end repeats";
  }
  return r;
}

using V = std::vector<std::string>;

// Every case runs with buffers smaller than a line, so that lines and CR LF pairs straddle reads.
class LineSplittingTest : public ::testing::TestWithParam<size_t> {
 protected:
  V Lines(const std::string& bytes) {
    MemoryLineReader files(GetParam());
    files.Set("f.txt", bytes);
    ReadAll r = Read(files, "f.txt");
    EXPECT_FALSE(r.error);
    return r.lines;
  }
};

TEST_P(LineSplittingTest, LineEnds) {
  EXPECT_EQ(Lines(""), V{});
  EXPECT_EQ(Lines("a\r\nb\n"), (V{"a", "b"}));
  EXPECT_EQ(Lines("a\nbc"), (V{"a", "bc"})) << "a last line without a line end still counts";
  EXPECT_EQ(Lines("a\n"), (V{"a"})) << "a final line break adds no empty line";
  EXPECT_EQ(Lines("\n"), (V{""}));
  EXPECT_EQ(Lines("\r\n\r\n"), (V{"", ""}));
  EXPECT_EQ(Lines("x\n\n\ny\r\n"), (V{"x", "", "", "y"}));
  EXPECT_EQ(Lines("abcdef\r\nghijkl\r\nmnopq"), (V{"abcdef", "ghijkl", "mnopq"}));
}

TEST_P(LineSplittingTest, OnlyCrBeforeLfIsALineEnd) {
  EXPECT_EQ(Lines("a\rb\r\n"), (V{"a\rb"}));
  EXPECT_EQ(Lines("a\r"), (V{"a\r"}));
  EXPECT_EQ(Lines("a\r\r\n"), (V{"a\r"}));
  EXPECT_EQ(Lines("\r"), (V{"\r"}));
}

TEST_P(LineSplittingTest, BytesPassUnchanged) {
  EXPECT_EQ(Lines(std::string("a\0b\r\n\0", 6)), (V{std::string("a\0b", 3), std::string("\0", 1)}));
  // A lone lead byte at a line's end, then at the file's end.
  EXPECT_EQ(Lines("\x82\xa0\x81\r\n\x81"), (V{"\x82\xa0\x81", "\x81"}));
  std::string garbage;
  for (int i = 0; i < 256; ++i) garbage.push_back(static_cast<char>(i));
  V expected = {garbage.substr(0, 10), garbage.substr(11, 256 - 11)};
  EXPECT_EQ(Lines(garbage), expected);
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, LineSplittingTest, ::testing::Values(1, 2, 3, 7, 64 * 1024));

TEST(LineFileTest, VeryLongLine) {
  std::string big(10 * 1024 * 1024, 'x');
  big[12345] = ',';
  MemoryLineReader files(64 * 1024);
  files.Set("big.txt", "head\r\n" + big + "\r\ntail");
  ReadAll r = Read(files, "big.txt");
  ASSERT_EQ(r.lines.size(), 3u);
  EXPECT_EQ(r.lines[0], "head");
  EXPECT_EQ(r.lines[1], big);
  EXPECT_EQ(r.lines[2], "tail");
}

TEST(LineFileTest, ReadErrorAfterSomeLines) {
  MemoryLineReader files(4);
  files.SetFailingRead("f.txt", "one\r\ntwo\r\nthree\r\n", 8);
  ReadAll r = Read(files, "f.txt");
  EXPECT_TRUE(r.error);
  EXPECT_EQ(r.lines, (V{"one"})) << "the part of a line before the failure is not a line";
}

TEST(LineFileTest, OpenFailures) {
  MemoryLineReader files;
  FileStatus status = FileStatus::kOk;
  EXPECT_EQ(files.Open("missing.txt", &status), nullptr);
  EXPECT_EQ(status, FileStatus::kNotFound);
  files.SetOpenFailure("locked.txt", FileStatus::kOtherError);
  EXPECT_EQ(files.Open("locked.txt", &status), nullptr);
  EXPECT_EQ(status, FileStatus::kOtherError);
  EXPECT_EQ(files.OpenCount("missing.txt"), 1);
}

}  // namespace
}  // namespace orbline
