// Decompiling: compile → decompile → compile gives the same bytes, for the sample line and for
// many generated lines whose values reach every corner of the 16-bit words.
#include "compiler/zkf_decompile.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "bench/full_data_set.h"
#include "document/source_file_names.h"
#include "document_fixture.h"
#include "test_files.h"

namespace orbline {
namespace {

using Sources = std::vector<std::pair<std::string, std::string>>;

// Compiles sources in memory as orblinec does; "" when a reader or a fatal check stops it.
std::string Compile(const Sources& sources, const FormatSettings& settings) {
  std::string bytes, problem;
  return CompileInMemory(DecompiledRoute{settings, sources}, &bytes, &problem) ? bytes : std::string();
}

// Decompiles the compiled file `bytes` with separation `kugiri` (-1: the first that fits) and
// compiles the result again; or says why it cannot be decompiled.
std::string RoundTrip(const std::string& bytes, int kugiri, DecompiledRoute* out = nullptr) {
  std::string problem, again;
  ZkfFile file;
  EXPECT_TRUE(ReadZkf(bytes, &file, &problem)) << problem;
  DecompiledRoute route;
  if (!problem.empty() || !Decompile(file, kugiri, &route, &problem)) return problem;
  if (out) *out = route;
  EXPECT_TRUE(CompileInMemory(route, &again, &problem)) << problem;
  return again;
}

TEST(DecompileTest, TheSampleLineInEverySchemeAndSeparation) {
  Sources sources;
  for (const std::string& name : SourceFileNames())
    sources.emplace_back(name, FileBytes(ORBLINE_SOURCE_DIR "/examples/sample/" + name));
  for (int weekkind = 0; weekkind < 4; ++weekkind) {
    FormatSettings settings;
    settings.weekkind = weekkind;
    const std::string bytes = Compile(sources, settings);
    DecompiledRoute line;
    EXPECT_TRUE(RoundTrip(bytes, -1, &line) == bytes) << "weekkind " << weekkind;
    // Tab first; the files the scheme reads and no others.
    EXPECT_EQ(line.settings.kugiri * 10 + line.files.size(), 4 + (weekkind == 1 ? 1 : weekkind == 2 ? 3 : 2));
    // No text holds a comma, so commas separate too; the page titles hold blanks, so blanks cannot.
    EXPECT_TRUE(RoundTrip(bytes, 1) == bytes);
    EXPECT_EQ(RoundTrip(bytes, 2).rfind("no separation fits every text (space: ", 0), 0u);
  }
  // Files no source files give, each refused with its reason.
  ZkfFile sample;
  std::string problem;
  ASSERT_TRUE(ReadZkf(Compile(sources, FormatSettings()), &sample, &problem));
  ASSERT_GT(sample.stations.size(), 3u);
  DecompiledRoute route;
  const auto decompiled = [&](const std::function<void(ZkfFile&)>& change, int kugiri = -1) {
    ZkfFile file = sample;
    change(file);
    return Decompile(file, kugiri, &route, &problem) ? "decompiled" : problem;
  };
  // A tab in the second train's text: tab asked for cannot separate; without a choice, comma does.
  const auto tab = [](ZkfFile& f) { f.data[0].trains[1].texts[2] = "a\tb"; };
  EXPECT_EQ(decompiled(tab, 0), "no separation fits every text (tab: train 1-2 holds the delimiter)");
  EXPECT_EQ(decompiled(tab), "decompiled");
  EXPECT_EQ(route.settings.kugiri, FormatSettings::kComma);
  // Each table's texts are looked at to its last row, and a fault names its row.
  EXPECT_EQ(decompiled([](ZkfFile& f) { f.mapItems.back().text = "a\tb"; }, 0),
            "no separation fits every text (tab: map item " + std::to_string(sample.mapItems.size()) +
                " holds the delimiter)");
  EXPECT_EQ(decompiled([](ZkfFile& f) { f.stations[2] = Station(), f.stations[2].values[0] = 1; }),
            "station row 3 has values but no name");
  EXPECT_EQ(decompiled([](ZkfFile& f) { f.weekkind = 4; }), "the day-type scheme 4 is not one of 0..3");
  EXPECT_EQ(decompiled([](ZkfFile& f) { f.maxCalcStation = 101; }), "the highest calc station 101 is above 100");
  // A reader only ever writes times of ten tenths, which stay even through the 16-bit wrap.
  EXPECT_EQ(decompiled([](ZkfFile& f) { f.data[0].trains[0].values[Train::TimeIndex(2)] = 7; }),
            "train 1-1: the time at calc station 2 is odd");
  EXPECT_EQ(decompiled([](ZkfFile& f) { f.data[0].trains[0].values[Train::TimeIndex(2)] = 8; }), "decompiled");
}

TEST(DecompileTest, WordsThatNeedTheWrapAroundAndTextsNoSeparationCanHold) {
  // 15:05 with a 30-second wait; times and waits that only come from huge or negative fields.
  FormatSettings settings;
  settings.weekkind = 1;
  const std::string head = "k\tc\t2\t3\t4\tA\tB\t1\tx\ty\tB\tT\t2\tx\ty\tB\tT\t3\tx\ty\r\n";
  const std::string trains =
      "1\t1\t0\t0\t0\t0\t0\t15\t5\t1\t3\t1\t-1\t-1\t-7\t-1\t5\t1000\t7\t52\r\n"
      "13\t100\t65535\t-1\t70000\t300\t0\t0\t6553\t1\t63\t0\t0\t1\t32769\t0\t0\t99999\t99999\t99999\r\n";
  Sources sources = {{"info.txt", "R\r\n"},
                     {"kind.txt", "1\t2\t3\tk\t\r\n"},
                     {"eki.txt", "1\t5\t3\t0\t0\t0\t0\t0\t0\t0\t0\t0\tL\tN\r\n"},
                     {"map.txt", "0\t5\t6\t\t\t\t\t\t\t\t\t\tafter\r\n"},
                     {"data1.txt", head + trains}};
  const std::string bytes = Compile(sources, settings);
  ASSERT_FALSE(bytes.empty());
  EXPECT_TRUE(RoundTrip(bytes, -1) == bytes);
  // Read with fixed width, the route name keeps its comma, blank and tab.
  settings.kugiri = FormatSettings::kFixedWidth;
  sources = {{"info.txt", "a,b c\td\r\n"}, {"kind.txt", ""}, {"eki.txt", ""}, {"map.txt", ""}, {"data1.txt", ""}};
  EXPECT_EQ(RoundTrip(Compile(sources, settings), -1),
            "no separation fits every text (tab: route info line 1 holds the delimiter; "
            "comma: route info line 1 holds the delimiter; space: route info line 1 holds the delimiter)");
}

// Random source files as an author could write them: every number anywhere in the int range
// where nothing checks it, texts of any bytes but the delimiter and line ends.
class SourceGenerator {
 public:
  explicit SourceGenerator(uint32_t seed) : rng_(seed) {}

  std::vector<std::pair<std::string, std::string>> Make(FormatSettings* settings) {
    settings->kugiri = 0;
    settings->weekkind = Int(0, 3);
    settings->sec30 = Int(0, 1);
    settings->top = Int(0, 1);
    std::vector<std::pair<std::string, std::string>> files;
    std::string info;
    for (int i = Int(0, 27); i > 0; --i) info += Text() + "\r\n";
    files.emplace_back("info.txt", info);
    std::string kind;
    for (int i = Int(0, 14); i > 0; --i)
      kind += Any() + "\t" + Any() + "\t" + Any() + "\t" + Text() + "\t" + Text() + "\r\n";
    files.emplace_back("kind.txt", kind);
    std::string eki;
    for (int i = Int(0, 30); i > 0; --i) {
      const int to1 = Int(0, 100), to2 = Int(0, 100);
      eki += Num(0, 300) + "\t" + std::to_string(to1) + "\t" + std::to_string(to1 ? Int(1, 100) : Int(0, 100)) + "\t" +
             Any() + "\t" + Any() + "\t" + std::to_string(to2) + "\t" + std::to_string(to2 ? Int(1, 100) : 0) + "\t" +
             Any() + "\t" + Any() + "\t" + Any() + "\t" + Num(0, 99) + "\t" + Any() + "\t" + Text() + "\tn" + Text() +
             "\t" + Text() + "\r\n";
    }
    files.emplace_back("eki.txt", eki);
    std::string map;
    for (int i = Int(0, 60); i > 0; --i) {
      const int kinds[] = {11, 21, 31, 42, 44, 45, 46, 47, 48, 43, 101, 212, 303, 0};
      const int kind = kinds[Int(0, 13)];
      map += std::to_string(kind);
      for (int k = 1; k <= 11; ++k) map += "\t" + (k <= 2 && (kind % 10 == 1) ? Num(1, 100) : Any());
      map += "\t" + Text() + "\r\n";
    }
    files.emplace_back("map.txt", map);
    for (int n = 1; n <= 3; ++n) {
      std::string data = settings->top ? Text() + "\r\n" : "";
      std::vector<std::pair<bool, bool>> columns;
      data += "k\tc\t2\t3\t4\tA\tB";
      for (int c = Int(0, 8); c > 0; --c) {
        const bool b = Int(0, 1), t = Int(0, 1);
        columns.emplace_back(b, t);
        data += "\t" + std::to_string(Int(1, 100)) + "\tx\ty" + (b ? "\tB" : "") + (t ? "\tT" : "");
      }
      data += "\r\n";
      for (int i = Int(0, 12); i > 0; --i) {
        data += Num(1, 13) + "\t" + Num(1, 100) + "\t" + Any() + "\t" + Any() + "\t" + Any() + "\t" + Num(0, 300) +
                "\t" + Num(0, 300);
        for (const auto& [b, t] : columns) {
          data += "\t" + Any() + "\t" + Any() + "\t" + (Int(0, 3) ? Num(0, 3) : Any());
          if (b) data += "\t" + Any();
          if (t) data += "\t" + Any();
        }
        data += "\t" + Text() + "\t" + Text() + "\t" + Text() + "\r\n";
      }
      files.emplace_back("data" + std::to_string(n) + ".txt", data);
    }
    return files;
  }

 private:
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  std::string Num(int lo, int hi) { return std::to_string(Int(lo, hi)); }
  // Anything at all: small, negative, beyond 16 bits, beyond 32 bits.
  std::string Any() {
    switch (Int(0, 4)) {
      case 0: return Num(0, 9);
      case 1: return Num(-100000, 100000);
      case 2: return std::to_string(std::uniform_int_distribution<long long>(-9999999999LL, 9999999999LL)(rng_));
      case 3: return "";
      default: return Num(0, 65535);
    }
  }
  // A few bytes; now and then more than a length byte or a WORD can count.
  std::string Text() {
    const int kind = Int(0, 999);
    std::string s(static_cast<size_t>(kind == 0 ? 70000 : kind < 5 ? Int(255, 700) : Int(0, 6)), ' ');
    for (char& c : s) {
      do c = static_cast<char>(Int(1, 255));
      while (c == '\t' || c == '\n' || c == '\r');
    }
    return s;
  }
  std::mt19937 rng_;
};

// Every table to its capacity, so that no table has a row that ends it.
TEST(DecompileTest, AFullLineRoundTrips) {
  const std::filesystem::path dir = FreshTestFolder("full-decompile");
  Sources sources;
  for (const WrittenFile& file : WriteFullDataSet(dir).files)
    sources.emplace_back(file.name, FileBytes(dir / file.name));
  FormatSettings settings;
  settings.weekkind = 2;
  const std::string bytes = Compile(sources, settings);
  EXPECT_GT(bytes.size(), 3000000u);
  EXPECT_TRUE(RoundTrip(bytes, -1) == bytes);
  std::filesystem::remove_all(dir);
}

TEST(DecompileTest, GeneratedLinesRoundTrip) {
  int compiled = 0;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    SourceGenerator generator(seed);
    FormatSettings settings;
    const auto sources = generator.Make(&settings);
    const std::string bytes = Compile(sources, settings);
    if (bytes.empty()) continue;  // a reader or a check refused it, as it may
    ++compiled;
    ASSERT_TRUE(RoundTrip(bytes, -1) == bytes) << "seed " << seed;
  }
  EXPECT_GT(compiled, 200) << "most generated lines must compile, or the test proves little";
  RecordProperty("compiled", compiled);
}

}  // namespace
}  // namespace orbline
