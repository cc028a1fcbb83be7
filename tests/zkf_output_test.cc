#include "compiler/zkf_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orbline {
namespace {

std::string Encoded(const std::function<void(ZkfOutput&)>& write) {
  StringSink sink;
  ZkfOutput out(sink);
  write(out);
  EXPECT_TRUE(out.Flush());
  return sink.bytes;
}

TEST(ZkfOutputTest, WordsAndDwordsAreLittleEndian) {
  EXPECT_EQ(Encoded([](ZkfOutput& o) { o.Word(200); }), std::string("\xC8\x00", 2));
  EXPECT_EQ(Encoded([](ZkfOutput& o) { o.Word(0xFFFF); }), "\xFF\xFF");
  EXPECT_EQ(Encoded([](ZkfOutput& o) { o.Dword(0x0080FF01); }),
            std::string("\x01\xFF\x80\x00", 4));
}

TEST(ZkfOutputTest, StringPrefixes) {
  const struct {
    size_t length;
    std::string prefix;
  } cases[] = {
      {0, std::string("\x00", 1)},
      {1, "\x01"},
      {254, "\xFE"},
      {255, std::string("\xFF\xFF\x00", 3)},
      {256, std::string("\xFF\x00\x01", 3)},
      {65533, "\xFF\xFD\xFF"},
      {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
      {65535, std::string("\xFF\xFF\xFF\xFF\xFF\x00\x00", 7)},
      {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
  };
  for (const auto& c : cases) {
    std::string text(c.length, 'a');
    if (c.length > 0) text.back() = 'z';
    std::string bytes = Encoded([&](ZkfOutput& o) { o.String(text); });
    EXPECT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_EQ(bytes.substr(0, c.prefix.size()), c.prefix) << c.length;
    EXPECT_EQ(bytes.substr(c.prefix.size()), text) << "no terminator after " << c.length;
  }
}

TEST(ZkfOutputTest, TagsAreStrings) {
  EXPECT_EQ(Encoded([](ZkfOutput& o) { o.Tag("[Info]"); }), "\x06[Info]");
}

// Records how the bytes reach the file.
class ChunkSink : public ByteSink {
 public:
  bool Write(const char* data, size_t size) override {
    chunks.push_back(size);
    bytes.append(data, size);
    return fail == 0 || --fail > 0;
  }
  std::vector<size_t> chunks;
  std::string bytes;
  int fail = 0;  // the write number that fails, from 1
};

TEST(ZkfOutputTest, ValuesGoThroughA4096ByteBufferWhole) {
  ChunkSink sink;
  ZkfOutput out(sink);
  out.String(std::string(4093, 'x'));  // prefix FF + WORD + 4093 bytes: 4096
  EXPECT_TRUE(sink.chunks.empty()) << "nothing written before the buffer is full";
  out.Word(1);  // does not fit: the full buffer goes first
  out.Tag("[Map]");
  for (int i = 0; i < 2043; ++i) out.Word(2);  // 2 + 6 + 4086 bytes: two short of 4096
  out.Dword(3);  // does not fit: the buffer goes out with 4094 bytes
  ASSERT_TRUE(out.Flush());
  EXPECT_EQ(sink.chunks, (std::vector<size_t>{4096, 4094, 4}));
  EXPECT_EQ(sink.bytes.size(), 4096u + 4094 + 4);
  EXPECT_EQ(sink.bytes.substr(4096, 2), std::string("\x01\x00", 2));
  EXPECT_EQ(sink.bytes.substr(sink.bytes.size() - 4), std::string("\x03\x00\x00\x00", 4));
}

TEST(ZkfOutputTest, LongStringsPassThroughTheBuffer) {
  ChunkSink sink;
  ZkfOutput out(sink);
  std::string text(10000, 'q');
  out.String(text);
  ASSERT_TRUE(out.Flush());
  for (size_t c : sink.chunks) EXPECT_LE(c, ZkfOutput::kBufferSize);
  EXPECT_EQ(sink.bytes.substr(3), text);
}

TEST(ZkfOutputTest, AFailedWriteIsReported) {
  ChunkSink sink;
  sink.fail = 1;
  ZkfOutput out(sink);
  out.String(std::string(5000, 'x'));
  EXPECT_TRUE(out.failed());
  EXPECT_FALSE(out.Flush());
}

}  // namespace
}  // namespace orbline
