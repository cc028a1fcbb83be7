// The compiled file from both sides: its encodings and buffer, the bytes of whole files, and
// decoding: full tables, every truncation, damaged files. Generated lines go through writer and
// reader in the decompile round trip.
#include <gtest/gtest.h>

#include "compiler/zkf_compare.h"
#include "compiler/zkf_output.h"
#include "compiler/zkf_reader.h"
#include "compiler/zkf_writer.h"
#include "document_fixture.h"

namespace orbline {
namespace {

std::string Encoded(const std::function<void(ZkfOutput&)>& write) {
  StringSink sink;
  ZkfOutput out(sink);
  write(out);
  EXPECT_TRUE(out.Flush());
  return sink.bytes;
}

TEST(ZkfOutputTest, LittleEndianValuesAndStringPrefixes) {
  EXPECT_EQ(Encoded([](ZkfOutput& o) {
              o.Word(200);
              o.Dword(0x0080FF01);
              o.Tag("[Info]");
            }),
            std::string("\xC8\x00\x01\xFF\x80\x00\x06[Info]", 13));
  // clang-format off
  const std::pair<size_t, std::string> cases[] = {
      {0, std::string("\x00", 1)},          {254, "\xFE"},
      {255, std::string("\xFF\xFF\x00", 3)}, {256, std::string("\xFF\x00\x01", 3)},
      {65533, "\xFF\xFD\xFF"},               {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
      {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)}};
  // clang-format on
  for (const auto& [length, prefix] : cases) {
    const std::string text(length, 'z');
    EXPECT_TRUE(Encoded([&](ZkfOutput& o) { o.String(text); }) == prefix + text) << length;
  }
}

// Records how the bytes reach the file; write number `fail` (from 1) fails.
class ChunkSink : public ByteSink {
 public:
  bool Write(const char* data, size_t size) override {
    chunks.push_back(size);
    bytes.append(data, size);
    return fail == 0 || --fail > 0;
  }
  std::vector<size_t> chunks;
  std::string bytes;
  int fail = 0;
};

TEST(ZkfOutputTest, ValuesGoThroughA4096ByteBufferWhole) {
  ChunkSink sink;
  ZkfOutput out(sink);
  out.String(std::string(4093, 'x'));  // FF, a WORD and 4093 bytes fill the buffer
  EXPECT_TRUE(sink.chunks.empty()) << "nothing is written before the buffer is full";
  out.Word(1);
  for (int i = 0; i < 2045; ++i) out.Word(2);  // four bytes left
  out.Dword(4);                                // fits exactly
  out.Dword(3);                                // does not fit: the buffer goes out first
  out.String(std::string(9000, 'q'));
  out.String(std::string(3277, 'r'));  // the buffer one byte short of full: a length byte still fits
  out.String("z");
  ASSERT_TRUE(out.Flush());
  EXPECT_EQ(sink.chunks, (std::vector<size_t>{4096, 4096, 4096, 4096, 4096, 1}));
  // Room for exactly the long-text mark, or exactly a WORD: each goes in before the buffer goes out.
  for (const auto& [text, chunks] : {std::pair{4092, std::vector<size_t>{4096, 302}}, {4091, {4096, 2}}}) {
    ChunkSink exact;
    ZkfOutput o(exact);
    o.String(std::string(text, 'x'));
    if (text == 4092) o.String(std::string(300, 'y'));
    if (text == 4091) o.Word(7), o.Word(8);
    ASSERT_TRUE(o.Flush());
    EXPECT_EQ(exact.chunks, chunks) << text;
  }
  ChunkSink failing;
  failing.fail = 1;
  ZkfOutput broken(failing);
  broken.String(std::string(5000, 'x'));
  EXPECT_TRUE(broken.failed());
  EXPECT_FALSE(broken.Flush());
}

class ZkfFileTest : public DocTest {
 protected:
  std::string Write() {
    StringSink sink;
    EXPECT_TRUE(WriteZkf(*doc, sink));
    return sink.bytes;
  }
  ZkfFile WriteAndRead() {
    ZkfFile f;
    std::string err;
    EXPECT_TRUE(ReadZkf(Write(), &f, &err)) << err;
    return f;
  }
};

// `n` zero bytes.
std::string Z(size_t n) { return std::string(n, '\0'); }

TEST_F(ZkfFileTest, RowsUpToTheirTerminatorTrainsAsWideAsMaxCalcStation) {
  doc->routeInfo.texts[RouteInfo::kRemarks] = "a\r\nb";
  doc->kinds[0].colour = 0x000080FF;
  doc->kinds[0].texts = {"", "x"};   // only text2: does not end the list
  doc->kinds[3].texts = {"z", "z"};  // after the terminator: not written
  doc->stations[0].values.fill(65535);
  doc->stations[0].label = "L";
  doc->stations[0].name = "N";
  doc->mapItems[0].values = {42, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7};
  doc->settings.weekkind = 1;
  doc->maxCalcStation = 2;
  auto& v = doc->trains[0][0].values;
  v = {1, 2};
  v[Train::TimeIndex(1)] = 0x0102;
  v[Train::StopIndex(2)] = 0x0304;
  v[Train::TimeIndex(3)] = 0xBEEF;  // above maxCalcStation: never written
  doc->trains[0][0].texts = {"a", "", "c"};
  const std::string want = "\x08[Zelkor]\xC8" + Z(1) + "\x06[Info]" + Z(4) + "\x04" + "a\r\nb" + "\x06[Kind]\xFF\x80" +
                           Z(3) + "\x01x" + Z(6) + "\x05[Eki]" + std::string(24, '\xFF') + "\x01L\x01N" + Z(28) +
                           "\x05[Map]*" + Z(21) + "\x07" + Z(27) + "\x02" + Z(1) + "\x01" + Z(1) + "\x06[Data]\x01" +
                           Z(1) + "\x02" + Z(11) + "\x02\x01" + Z(4) + "\x04\x03\x01" + "a" + Z(1) + "\x01" + "c" +
                           Z(25) + "\x06[Icon]" + Z(2);
  EXPECT_TRUE(Write() == want);
}

TEST_F(ZkfFileTest, FullTablesHaveNoTerminatorAndOddSettingsStayReadable) {
  for (Kind& k : doc->kinds) k.texts[0] = "k";
  for (Station& s : doc->stations) s.name = "s";
  for (MapItem& m : doc->mapItems) m.values[0] = 42;
  for (auto& day : doc->trains)
    for (Train& t : day) t.values[Train::kKind] = 1;
  doc->maxCalcStation = 100;
  doc->settings.weekkind = 2;
  const std::string bytes = Write();
  const size_t kinds = 13 * 7, stations = 300 * 28, items = 2000 * 25, trains = 3000 * (207 * 2 + 3);
  EXPECT_EQ(bytes.size(), 30 + kinds + 6 + stations + 6 + items + 4 + 3 * (7 + trains) + 9);
  EXPECT_EQ(bytes.substr(30 + kinds, 6), "\x05[Eki]") << "the next tag follows the last row";
  ZkfFile f = WriteAndRead();
  EXPECT_EQ((std::vector<size_t>{f.kinds.size(), f.stations.size(), f.mapItems.size(), f.data[2].trains.size()}),
            (std::vector<size_t>{13, 300, 2000, 3000}));
  // Only reachable by setting the members directly: a scheme and a width out of range.
  doc->ResetTables();
  doc->settings.weekkind = 7;
  doc->maxCalcStation = 150;
  doc->trains[0][0].values[Train::kKind] = 3;
  doc->trains[0][0].values[206] = 9;
  f = WriteAndRead();
  ASSERT_EQ(f.data.size(), 1u) << "the weekday section is always written";
  ASSERT_EQ(f.data[0].trains[0].values.size(), 307u);
  EXPECT_EQ(f.data[0].trains[0].values[206] * 10 + f.data[0].trains[0].values[207], 90);
}

TEST_F(ZkfFileTest, TheComparisonNamesTheFirstDifference) {
  doc->kinds[0].texts = {"k", "K"};
  doc->stations[0].name = "s";
  doc->mapItems[0].values = {101, 1};
  doc->mapItems[0].text = "title";
  doc->maxCalcStation = 1;
  doc->trains[0][0].values[Train::kKind] = 1;
  doc->trains[0][0].values[Train::TimeIndex(1)] = 70;
  const ZkfFile read = WriteAndRead();
  std::string difference;
  EXPECT_TRUE(MatchesDocument(read, *doc, &difference)) << difference;
  const std::pair<std::function<void(ZkfFile&)>, const char*> changes[] = {
      {[](ZkfFile& f) { f.kinds.pop_back(); }, "kind rows: 1 in the file, 2 in the document"},
      {[](ZkfFile& f) { f.stations[0].name = "t"; }, "station 1 text 2"},
      {[](ZkfFile& f) { f.mapItems[0].values[2] = 5; }, "map item 1 value 2: 5 in the file, 0 in the document"},
      {[](ZkfFile& f) { f.mapItems[0].text = "other"; }, "map item 1 text"},
      {[](ZkfFile& f) { f.data[0].trains[0].values[Train::TimeIndex(1)] = 71; },
       "train 1-1 value 7: 71 in the file, 70 in the document"},
      {[](ZkfFile& f) { f.data[0].trains[1].texts[2] = "x"; }, "train 1-2 text 3"},
      {[](ZkfFile& f) { f.maxCalcStation = 2; }, "maxCalcStation: 2 in the file, 1 in the document"},
      {[](ZkfFile& f) { f.data.pop_back(); }, "[Data] sections: 1 in the file, 2 in the document"},
      {[](ZkfFile& f) { f.icon = 1; }, "icon: 1 in the file, 0 in the document"},
  };
  for (const auto& [change, expected] : changes) {
    ZkfFile f = read;
    change(f);
    EXPECT_FALSE(MatchesDocument(f, *doc, &difference)) << expected;
    EXPECT_EQ(difference, expected);
  }
}

TEST_F(ZkfFileTest, DamagedFilesAreRefusedWithTheirOffset) {
  // A small file with a row of every kind and a three-byte string prefix to cut through.
  doc->routeInfo.texts[0] = std::string(300, 'r');
  doc->kinds[0].texts = {"k", "K"};
  doc->stations[0].name = "s";
  doc->mapItems[0].values[0] = 101;
  doc->maxCalcStation = 3;
  doc->settings.weekkind = 2;
  for (auto& day : doc->trains) day[0].values[Train::kKind] = 1;
  const std::string bytes = Write();
  ZkfFile f;
  std::string err;
  for (size_t n = 0; n < bytes.size(); ++n) {
    ASSERT_FALSE(ReadZkf(std::string_view(bytes).substr(0, n), &f, &err)) << n;
    ASSERT_LE(std::stoul(err.substr(err.find(' ') + 1)), n) << err;
    ASSERT_NE(err.find("ends here"), std::string::npos) << n << ": " << err;
  }
  auto refused = [&](std::string damaged) {
    EXPECT_FALSE(ReadZkf(damaged, &f, &err));
    return err;
  };
  EXPECT_EQ(refused(bytes + "xy"), "byte " + std::to_string(bytes.size()) + ": 2 bytes after the end of the file");
  const std::pair<size_t, const char*> changes[] = {{1, "byte 0: expected the tag [Zelkor]"},
                                                    {9, "byte 9: format version 100, expected 200 (2.00)"},
                                                    {12, "byte 11: expected the tag [Info]"}};
  for (const auto& [at, what] : changes) {
    std::string bad = bytes;
    bad[at] = 100;
    EXPECT_EQ(refused(bad), what);
  }
  // maxCalcStation 65535 claims 131077 words a train, in a file of a few bytes: refused unallocated.
  std::string wide = bytes;
  wide.replace(wide.find("\x06[Data]") - 4, 2, "\xFF\xFF");
  EXPECT_NE(refused(wide).find("131077 words"), std::string::npos) << err;
}

}  // namespace
}  // namespace orbline
