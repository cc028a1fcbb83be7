// The bytes of whole compiled files.
#include "compiler/zkf_writer.h"

#include <gtest/gtest.h>

#include "compiler/zkf_reader.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

// Bytes from a list of hex values and quoted ASCII, written the way the file layout describes them.
class Hex {
 public:
  Hex& operator()(std::initializer_list<int> bytes) {
    for (int b : bytes) s_.push_back(static_cast<char>(b));
    return *this;
  }
  Hex& operator()(const char* ascii) {
    s_ += ascii;
    return *this;
  }
  Hex& Zeros(int n) {
    s_.append(static_cast<size_t>(n), '\0');
    return *this;
  }
  const std::string& str() const { return s_; }

 private:
  std::string s_;
};

class ZkfWriterTest : public DocTest {
 protected:
  std::string Write() {
    StringSink sink;
    EXPECT_TRUE(WriteZkf(*doc, sink));
    return sink.bytes;
  }
  ZkfFile WriteAndRead() {
    ZkfError error;
    std::optional<ZkfFile> f = ReadZkf(Write(), &error);
    EXPECT_TRUE(f.has_value()) << error.offset << ": " << error.what;
    return f.value_or(ZkfFile());
  }
};

// The empty document with one "[Data]" section, byte for byte.
std::string EmptyFile(int weekkind, int dataSections) {
  Hex h;
  h({0x08})("[Zelkor]")({0xC8, 0x00});
  h({0x06})("[Info]").Zeros(5);
  h({0x06})("[Kind]").Zeros(4)({0x00})({0x00});
  h({0x05})("[Eki]").Zeros(24).Zeros(3);
  h({0x05})("[Map]").Zeros(24).Zeros(1);
  h({0x00, 0x00})({weekkind, 0x00});
  for (int i = 0; i < dataSections; ++i) h({0x06})("[Data]").Zeros(14).Zeros(3);
  h({0x06})("[Icon]")({0x00, 0x00});
  return h.str();
}

TEST_F(ZkfWriterTest, EmptyDocumentFiles) {
  const struct {
    int weekkind;
    size_t size;
    int sections;
  } cases[] = {{1, 137, 1}, {0, 161, 2}, {3, 161, 2}, {2, 185, 3}};
  for (const auto& c : cases) {
    doc->settings.weekkind = c.weekkind;
    std::string bytes = Write();
    EXPECT_EQ(bytes.size(), c.size) << "weekkind " << c.weekkind;
    EXPECT_EQ(bytes, EmptyFile(c.weekkind, c.sections)) << "weekkind " << c.weekkind;
  }
}

TEST_F(ZkfWriterTest, RowsUpToTheTerminatorAndValuesAsStored) {
  doc->routeInfo[route::kRouteName] = "R";
  doc->routeInfo[route::kRemarks] = "a\r\nb";
  doc->kindColour[0] = 0x000080FF;
  doc->kindTexts[0] = {"", "x"};  // only text2: does not end the list
  doc->kindTexts[1] = {"y", ""};
  doc->kindColour[3] = 0x123456;  // after the terminator: not written
  doc->kindTexts[3] = {"z", "z"};
  doc->stationValues[0].fill(65535);
  doc->stationTexts[0] = {"L", "N", ""};
  doc->mapValues[0][map::kKind] = 42;
  doc->mapValues[0][11] = 7;
  doc->settings.weekkind = 1;
  const std::string bytes = Write();
  Hex h;
  h({0x08})("[Zelkor]")({0xC8, 0x00});
  h({0x06})("[Info]")({1})("R").Zeros(3)({4})("a\r\nb");
  h({0x06})("[Kind]")({0xFF, 0x80, 0x00, 0x00, 0x00, 0x01})("x");
  h.Zeros(4)({0x01})("y")({0x00});
  h.Zeros(4)({0x00, 0x00});
  h({0x05})("[Eki]");
  for (int i = 0; i < 12; ++i) h({0xFF, 0xFF});
  h({1})("L")({1})("N")({0});
  h.Zeros(24).Zeros(3);
  h({0x05})("[Map]")({42, 0}).Zeros(20)({7, 0})({0});
  h.Zeros(24)({0});
  EXPECT_EQ(bytes.substr(0, h.str().size()), h.str());
}

TEST_F(ZkfWriterTest, TrainsAreAsWideAsMaxCalcStation) {
  doc->settings.weekkind = 1;
  doc->maxCalcStation = 2;
  auto& v = doc->trainValues[0][0];
  v[train::kKind] = 1;
  v[train::kCarType] = 2;
  v[train::TimeIndex(1)] = 0x0102;
  v[train::StopInfoIndex(2)] = 0x0304;
  v[train::TimeIndex(3)] = 0xBEEF;  // above maxCalcStation: never written
  doc->trainTexts[0][0] = {"a", "", "c"};
  const std::string bytes = Write();
  Hex h;
  h({0x06})("[Data]")({1, 0, 2, 0}).Zeros(10)({0x02, 0x01, 0, 0, 0, 0, 0x04, 0x03})({1})("a")({0})({1})("c");
  h.Zeros(22).Zeros(3);
  h({0x06})("[Icon]")({0, 0});
  ASSERT_GE(bytes.size(), h.str().size());
  EXPECT_EQ(bytes.substr(bytes.size() - h.str().size()), h.str());
  EXPECT_EQ(bytes.find("\xEF\xBE"), std::string::npos);
  // The two WORDs before the section: maxCalcStation 2, weekkind 1.
  EXPECT_EQ(bytes.substr(bytes.size() - h.str().size() - 4, 4), std::string("\x02\x00\x01\x00", 4));
}

TEST_F(ZkfWriterTest, FullTablesHaveNoTerminator) {
  for (int i = 0; i < kKindCapacity; ++i) doc->kindTexts[i][0] = "k";
  for (int i = 0; i < kStationCapacity; ++i) doc->stationTexts[i][station::kName] = "s";
  for (int i = 0; i < kMapItemCapacity; ++i) doc->mapValues[i][map::kKind] = 42;
  for (int d = 0; d < kDayTypeCount; ++d)
    for (int i = 0; i < kTrainCapacity; ++i) doc->trainValues[d][i][train::kKind] = 1;
  doc->maxCalcStation = 100;
  doc->settings.weekkind = 2;
  const std::string bytes = Write();
  const size_t kinds = 4 + 2 + 1;             // DWORD, "k", ""
  const size_t stations = 24 + 1 + 2 + 1;     // 12 WORDs, "", "s", ""
  const size_t items = 24 + 1;                // 12 WORDs, ""
  const size_t trains = 207 * 2 + 3;          // 207 WORDs, 3 empty texts
  const size_t expected = 11 + 7 + 5 + 7 + kKindCapacity * kinds + 6 + kStationCapacity * stations + 6 +
                          kMapItemCapacity * items + 4 + 3 * (7 + kTrainCapacity * trains) + 7 + 2;
  EXPECT_EQ(bytes.size(), expected);
  // Each next tag follows the last row directly.
  EXPECT_EQ(bytes.substr(30 + kKindCapacity * kinds, 6), "\x05[Eki]");
  ZkfFile f = WriteAndRead();
  EXPECT_EQ(f.kinds.size(), 13u);
  EXPECT_EQ(f.stations.size(), 300u);
  EXPECT_EQ(f.mapItems.size(), 2000u);
  ASSERT_EQ(f.data.size(), 3u);
  EXPECT_EQ(f.data[2].trains.size(), 3000u);
}

TEST_F(ZkfWriterTest, OutOfRangeSchemeAndWidthStayReadable) {
  // Only reachable by setting the members directly: the file must still decode.
  doc->settings.weekkind = 7;
  doc->maxCalcStation = 150;
  doc->trainValues[0][0][train::kKind] = 3;
  doc->trainValues[0][0][206] = 9;
  ZkfFile f = WriteAndRead();
  EXPECT_EQ(f.weekkind, 7);
  ASSERT_EQ(f.data.size(), 1u) << "the weekday section is always written";
  ASSERT_EQ(f.data[0].trains[0].values.size(), 307u);
  EXPECT_EQ(f.data[0].trains[0].values[206], 9);
  EXPECT_EQ(f.data[0].trains[0].values[207], 0) << "beyond the 207 values a train holds";
}

}  // namespace
}  // namespace orbline
