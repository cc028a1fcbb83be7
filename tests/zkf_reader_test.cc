// Decoding compiled files: round trips over generated documents and damaged files.
#include "compiler/zkf_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "compiler/zkf_writer.h"
#include "doc_fixture.h"
#include "zkf_expect.h"

namespace orbline {
namespace {

class ZkfReaderTest : public DocTest {
 protected:
  std::string Write() {
    StringSink sink;
    EXPECT_TRUE(WriteZkf(*doc, sink));
    return sink.bytes;
  }

  // A random document as the readers could leave it: tables filled up to a random length with
  // random values and texts (any bytes, sometimes long), maxCalcStation 0..100, any scheme.
  void Generate(std::mt19937& rng) {
    doc->ResetTables();
    auto text = [&] {
      size_t n = rng() % 8 == 0 ? rng() % 70000 : rng() % 12;
      std::string s(n, '\0');
      for (char& c : s) c = static_cast<char>(rng());
      return s;
    };
    auto nonEmpty = [&] {
      std::string s = text();
      return s.empty() ? std::string("n") : s;
    };
    auto word = [&] { return static_cast<uint16_t>(rng() % 4 == 0 ? rng() : rng() % 300); };
    for (auto& t : doc->routeInfo) t = text();
    const int kinds = static_cast<int>(rng() % (kKindCapacity + 1));
    for (int i = 0; i < kinds; ++i) {
      doc->kindColour[i] = static_cast<uint32_t>(rng());
      doc->kindTexts[i] = {nonEmpty(), text()};
    }
    const int stations = static_cast<int>(rng() % 40 == 0 ? kStationCapacity : rng() % 30);
    for (int i = 0; i < stations; ++i) {
      for (auto& v : doc->stationValues[i]) v = word();
      doc->stationTexts[i] = {text(), nonEmpty(), text()};
    }
    const int items = static_cast<int>(rng() % 40 == 0 ? kMapItemCapacity : rng() % 60);
    for (int i = 0; i < items; ++i) {
      for (auto& v : doc->mapValues[i]) v = word();
      doc->mapValues[i][map::kKind] = static_cast<uint16_t>(1 + rng() % 400);
      doc->mapTexts[i] = text();
    }
    doc->maxCalcStation = static_cast<int>(rng() % 101);
    doc->settings.weekkind = static_cast<int>(rng() % 4);
    for (int d = 0; d < kDayTypeCount; ++d) {
      const int trains = static_cast<int>(rng() % 30);
      for (int i = 0; i < trains; ++i) {
        for (auto& v : doc->trainValues[d][i]) v = word();
        doc->trainValues[d][i][train::kKind] = static_cast<uint16_t>(1 + rng() % 13);
        doc->trainTexts[d][i] = {text(), text(), text()};
      }
    }
  }

};

TEST_F(ZkfReaderTest, RoundTripOverGeneratedDocuments) {
  std::mt19937 rng(4242);
  for (int round = 0; round < 60; ++round) {
    Generate(rng);
    ZkfError error;
    std::optional<ZkfFile> f = ReadZkf(Write(), &error);
    ASSERT_TRUE(f.has_value()) << "round " << round << ": byte " << error.offset << ": " << error.what;
    ExpectFileMatchesDocument(*f, *doc);
    if (HasFatalFailure()) FAIL() << "round " << round;
  }
}

TEST_F(ZkfReaderTest, EveryTruncationIsRefusedWithItsOffset) {
  // A small file with a row of every kind and a three-byte string prefix to cut through.
  doc->routeInfo[0] = std::string(300, 'r');
  doc->kindTexts[0] = {"k", "K"};
  doc->stationTexts[0][station::kName] = "s";
  doc->mapValues[0][map::kKind] = 101;
  doc->mapTexts[0] = "page";
  doc->maxCalcStation = 3;
  doc->settings.weekkind = 2;
  for (int d = 0; d < kDayTypeCount; ++d) {
    doc->trainValues[d][0][train::kKind] = 1;
    doc->trainTexts[d][0][train::kText3] = "t";
  }
  const std::string bytes = Write();
  for (size_t n = 0; n < bytes.size(); ++n) {
    ZkfError error;
    ASSERT_FALSE(ReadZkf(std::string_view(bytes).substr(0, n), &error).has_value()) << n;
    ASSERT_LE(error.offset, n) << n;
    ASSERT_NE(error.what.find("ends here"), std::string::npos) << n << ": " << error.what;
  }
}

TEST_F(ZkfReaderTest, TrailingBytesAreRefused) {
  std::string bytes = Write() + "xy";
  ZkfError error;
  EXPECT_FALSE(ReadZkf(bytes, &error).has_value());
  EXPECT_EQ(error.offset, bytes.size() - 2);
  EXPECT_EQ(error.what, "2 bytes after the end of the file");
}

TEST_F(ZkfReaderTest, WrongTagsAndVersion) {
  std::string bytes = Write();
  ZkfError error;
  std::string bad = bytes;
  bad[1] = 'X';
  EXPECT_FALSE(ReadZkf(bad, &error).has_value());
  EXPECT_EQ(error.offset, 0u);
  EXPECT_EQ(error.what, "expected the tag [Zelkor]");
  bad = bytes;
  bad[9] = 100;
  EXPECT_FALSE(ReadZkf(bad, &error).has_value());
  EXPECT_EQ(error.offset, 9u);
  EXPECT_EQ(error.what, "format version 100, expected 200 (2.00)");
  bad = bytes;
  bad[12] = 'i';  // "[info]"
  EXPECT_FALSE(ReadZkf(bad, &error).has_value());
  EXPECT_EQ(error.offset, 11u);
  EXPECT_EQ(error.what, "expected the tag [Info]");
}

TEST_F(ZkfReaderTest, AHugeClaimedWidthIsRefusedWithoutAllocatingIt) {
  // maxCalcStation 65535 claims 131077 words per train in a file of a few bytes.
  std::string bytes = Write();
  const size_t at = bytes.find("\x06[Data]") - 4;
  bytes[at] = '\xFF';
  bytes[at + 1] = '\xFF';
  ZkfError error;
  EXPECT_FALSE(ReadZkf(bytes, &error).has_value());
  EXPECT_NE(error.what.find("131077 words"), std::string::npos) << error.what;
}

}  // namespace
}  // namespace orbline
