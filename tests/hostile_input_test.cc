// Source files that are not what an author writes: huge lines, binary bytes, lone lead bytes.
#include <gtest/gtest.h>

#include <random>

#include "doc_fixture.h"

namespace orbline {
namespace {

class HostileInputTest : public DocTest {
 protected:
  // Every reader over the same bytes in every file, in every separation mode.
  void ReadEverything(const std::string& bytes) {
    for (const char* name : {"info.txt", "kind.txt", "eki.txt", "map.txt", "data1.txt", "data2.txt", "data3.txt"})
      files.Set(name, bytes);
    for (int kugiri : {0, 1, 2, 3, 7}) {
      for (int kankaku : {0, 1, 5, 1000, -1}) {
        UseSeparation(kugiri, kankaku);
        doc->settings.top = kankaku & 1;
        doc->ResetTables();
        findings.findings.clear();
        int ok = Read().ReadInfo() + Read().ReadKinds() + Read().ReadStations() + Read().ReadMap();
        for (int weekkind = 0; weekkind < 4; ++weekkind) {
          doc->settings.weekkind = weekkind;
          ok += Read().ReadTimetables();
        }
        // Every failure said something, once.
        int errors = 0;
        for (const Finding& f : findings.findings) errors += f.IsError();
        EXPECT_EQ(errors, 8 - ok);
        EXPECT_EQ(waitCursor.depth(), 0);
      }
    }
  }
};

TEST_F(HostileInputTest, RandomBytes) {
  std::mt19937 rng(20261206);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(static_cast<size_t>(rng() % 4000), '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    // Some rounds lean towards delimiters, digits and line ends, to reach deeper.
    if (round % 2) {
      static const char kMix[] = "0123456789\t, \r\nBbTt-";
      for (char& c : bytes)
        if (rng() % 2) c = kMix[rng() % (sizeof kMix - 1)];
    }
    ReadEverything(bytes);
  }
}

TEST_F(HostileInputTest, TenMegabyteLine) {
  std::string line(10 * 1024 * 1024, '7');
  for (size_t i = 1; i < line.size(); i += 2) line[i] = '\t';
  files.Set("map.txt", line);
  EXPECT_EQ(Read().ReadMap(), 1);
  EXPECT_EQ(doc->mapValues[0][map::kKind], 7);
  EXPECT_EQ(doc->mapTexts[0], "7");
  files.Set("eki.txt", "1\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\t" + std::string(10 * 1024 * 1024, 'n') + "\r\n");
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_EQ(doc->stationTexts[0][station::kName].size(), 10u * 1024 * 1024);
}

TEST_F(HostileInputTest, LoneLeadBytesAndNulBytes) {
  // A lead byte at the end of every field and line never swallows the delimiter or the line end.
  files.Set("eki.txt", std::string("1\x81\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\x81\tN\0me\x81\tnote\x81\r\n", 41));
  EXPECT_EQ(Read().ReadStations(), 1);
  EXPECT_EQ(doc->stationValues[0][station::kCalcStationNo], 1);
  EXPECT_EQ(doc->stationTexts[0][station::kLabel], "L\x81");
  EXPECT_EQ(doc->stationTexts[0][station::kName], std::string("N\0me\x81", 5));
  EXPECT_EQ(doc->stationTexts[0][station::kNote], "note\x81");
}

}  // namespace
}  // namespace orbline
