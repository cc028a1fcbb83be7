// What passes every range check but points nowhere or cannot be: each check with a line that
// fires it and a near miss that does not, by file kind.
#include "compiler/semantic_checks.h"

#include <gtest/gtest.h>

#include "compiler/line_check.h"
#include "doc/error_code.h"
#include "doc_fixture.h"

namespace orbline {
namespace {

// A station: calc station, the To of each link group (its To2 is the same station).
std::string Station(int calcNo, int to1, int to2) {
  return std::to_string(calcNo) + "\t" + std::to_string(to1) + "\t" + std::to_string(to1) + "\t0\t0\t" +
         std::to_string(to2) + "\t" + std::to_string(to2) + "\t0\t0\t0\t0\t0\tL\tS" + std::to_string(calcNo) + "\r\n";
}

// A header over calc stations 1, 2, 3 and a train at 7:00, 7:05, 7:10 under it.
constexpr char kHead[] = "kind\tcar\tv2\tv3\tv4\tA\tB\t1\tx\ty\t2\tx\ty\t3\tx\ty\r\n";
std::string Train(const std::string& stops, int kind = 1) { return std::to_string(kind) + "\t1\t0\t0\t0\t0\t0\t" + stops + "\r\n"; }
constexpr char kStops[] = "7\t00\t0\t7\t05\t0\t7\t10\t0";

std::string Lines(int count, const std::string& line) {
  std::string s;
  for (int i = 0; i < count; ++i) s += line;
  return s;
}

class SemanticChecksTest : public DocTest {
 protected:
  // A line without a fault or a warning, one timetable for all days.
  void SetUp() override {
    doc->settings.weekkind = 1;
    files.Set("info.txt", "Line\r\n");
    files.Set("kind.txt", "255\t0\t0\tLocal\tL\r\n");
    files.Set("eki.txt", Station(1, 2, 0) + Station(2, 3, 1) + Station(3, 0, 2));
    files.Set("map.txt", "101\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\t0\tTitle\r\n11\t1\t2\t0\t0\t0\t10\t10\r\n");
    files.Set("data1.txt", kHead + Train(kStops));
  }

  // "file:line code a" of every finding after `file` got `contents`.
  std::vector<std::string> With(const std::string& file, const std::string& contents) {
    files.Set(file, contents);
    std::vector<std::string> out;
    for (const Finding& f : CheckWholeLine(*doc, files, waitCursor))
      out.push_back(f.file + ":" + std::to_string(f.line) + " " + std::to_string(f.code) + " " + std::to_string(f.a));
    SetUp();
    return out;
  }
  using Places = std::vector<std::string>;
};

TEST_F(SemanticChecksTest, TheBaseLineIsClean) { EXPECT_EQ(With("info.txt", "Line\r\n"), Places{}); }

TEST_F(SemanticChecksTest, LinesBeyondWhatIsRead) {
  EXPECT_EQ(With("info.txt", Lines(25, "x\r\n") + "\r\n  \r\nmore\r\n"), Places{"info.txt:28 84 25"});
  EXPECT_EQ(With("info.txt", Lines(25, "x\r\n") + "\r\n"), Places{});
  EXPECT_EQ(With("kind.txt", Lines(14, "1\t2\t3\tK\tk\r\n")), Places{"kind.txt:14 84 13"});
  EXPECT_EQ(With("kind.txt", Lines(13, "1\t2\t3\tK\tk\r\n")), Places{});
  std::string eki;
  for (int i = 1; i <= 301; ++i) eki += Station(i <= 100 ? i : 0, 0, 0);
  EXPECT_EQ(With("eki.txt", eki), Places{"eki.txt:301 84 300"});
  EXPECT_EQ(With("map.txt", Lines(2001, "101\r\n")).back(), "map.txt:2001 84 2000");
  EXPECT_EQ(With("data1.txt", kHead + Lines(3001, Train(kStops))), Places{"data1.txt:3002 84 3000"});
}

TEST_F(SemanticChecksTest, Kinds) {
  // Colours keep their low 8 bits.
  EXPECT_EQ(With("kind.txt", "256\t0\t0\tLocal\tL\r\n"), Places{"kind.txt:1 86 256"});
  EXPECT_EQ(With("kind.txt", "255\t-1\t0\tLocal\tL\r\n"), Places{"kind.txt:1 86 -1"});
  // An empty line ends the kinds for the compiled file; an empty last line does not matter.
  EXPECT_EQ(With("kind.txt", "1\t2\t3\tA\ta\r\n\r\n1\t2\t3\tC\tc\r\n"), Places{"kind.txt:2 131 3"});
  EXPECT_EQ(With("kind.txt", "1\t2\t3\tA\ta\r\n\r\n"), Places{});
  // Trains of a kind that kind.txt lacks: once per kind, at its first train, with the count.
  EXPECT_EQ(With("data1.txt", kHead + Train(kStops, 1) + Train(kStops, 2) + Train(kStops, 2) + Train(kStops, 4)),
            (Places{"data1.txt:3 163 2", "data1.txt:5 163 4"}));
  // A kind after an empty row is the empty row's warning alone.
  files.Set("kind.txt", "1\t2\t3\tA\ta\r\n\r\n1\t2\t3\tC\tc\r\n");
  EXPECT_EQ(With("data1.txt", kHead + Train(kStops, 3)), Places{"kind.txt:2 131 3"});
}

TEST_F(SemanticChecksTest, StationsNamedButNotDefined) {
  EXPECT_EQ(With("eki.txt", Station(1, 2, 0) + Station(2, 7, 1)), (Places{"eki.txt:2 141 7", "data1.txt:1 161 3"}));
  // 101 is an error of its own, not also a warning.
  const std::vector<std::string> over = With("eki.txt", Station(1, 2, 0) + Station(2, 3, 101) + Station(3, 0, 2));
  EXPECT_EQ(over, Places{"eki.txt:2 11 2"});
  EXPECT_EQ(With("map.txt", "101\r\n11\t1\t9\r\n21\t3\t3\r\n31\t4\t2\r\n"), (Places{"map.txt:2 151 9", "map.txt:4 151 4"}));
  EXPECT_EQ(With("data1.txt", "kind\tcar\tv2\tv3\tv4\tA\tB\t1\tx\ty\t5\tx\ty\r\n" + Train("7\t00\t0\t7\t05\t0")),
            Places{"data1.txt:1 161 5"});
  // With eki.txt in error, nothing is checked against it.
  EXPECT_EQ(With("eki.txt", Station(1, 2, 0) + Station(2, 7, 1) + "\r\n"), Places{"eki.txt:3 44 3"});
}

TEST_F(SemanticChecksTest, MapItemsAndPages) {
  // A page after the first empty line is drawn but not compiled; items of no page are never drawn.
  EXPECT_EQ(With("map.txt", "101\r\n42\r\n\r\n42\r\n42\r\n201\r\n42\r\n"), (Places{"map.txt:3 152 6", "map.txt:4 153 2"}));
  EXPECT_EQ(With("map.txt", "42\r\n101\r\n42\r\n\r\n\r\n"), Places{"map.txt:1 153 1"});
  // A page given twice, a header of no display or page.
  EXPECT_EQ(With("map.txt", "101\r\n42\r\n101\r\n42\r\n113\r\n42\r\n412\r\n112\r\n"),
            (Places{"map.txt:3 154 101", "map.txt:5 155 113", "map.txt:7 155 412"}));
  // Colours keep their low 8 bits, for every kind that has one.
  EXPECT_EQ(With("map.txt", "101\t300\t0\t0\r\n44\t0\t0\t0\t256\r\n47\t0\t0\t0\t0\t0\t255\r\n"),
            (Places{"map.txt:1 86 300", "map.txt:2 86 256"}));
}

TEST_F(SemanticChecksTest, TimetableHeaders) {
  EXPECT_EQ(With("data1.txt", "kind\tcar\tv2\tv3\tv4\tA\tB\t1\tx\ty\t2\tx\ty\t1\tx\ty\r\n" + Train(kStops)),
            Places{"data1.txt:1 162 1"});
  std::string header = "k\tc\t2\t3\t4\tA\tB";
  for (int c = 0; c < 101; ++c) header += "\t1\tx\ty";
  EXPECT_EQ(With("data1.txt", header + "\r\n"), (Places{"data1.txt:1 162 1", "data1.txt:1 85 0"}));
  header.resize(header.size() - 6);  // 100 groups: all are read
  EXPECT_EQ(With("data1.txt", header + "\r\n"), Places{"data1.txt:1 162 1"});
  // Stops above the highest calc station of the timetable read last are not compiled.
  files.Set("data2.txt", "kind\tcar\tv2\tv3\tv4\tA\tB\t1\tx\ty\t2\tx\ty\r\n" + Train("7\t00\t0\t7\t05\t0"));
  doc->settings.weekkind = 0;
  EXPECT_EQ(With("data1.txt", kHead + Train(kStops)), Places{"data1.txt:1 168 3"});
  files.Set("data2.txt", kHead + Train(kStops));
  doc->settings.weekkind = 0;
  EXPECT_EQ(With("data1.txt", kHead + Train(kStops)), Places{});
}

TEST_F(SemanticChecksTest, TimesThatCannotBe) {
  const struct {
    const char* stops;
    Places want;
  } cases[] = {
      {"7\t00\t0\t7\t10\t0\t7\t05\t0", {"data1.txt:2 164 3"}},  // up, then down
      {"8\t00\t0\t7\t50\t0\t\t\t0", {}},                          // falling, a stop without a time
      {"23\t50\t0\t0\t05\t0\t0\t10\t0", {}},                       // over midnight once
      {"23\t50\t0\t24\t05\t0\t24\t10\t0", {}},                     // the late-night hours
      {"7\t65\t0\t7\t70\t0\t7\t75\t0", {"data1.txt:2 165 8"}},     // minutes of 60 or more
      {"30\t00\t0\t31\t00\t0\t32\t00\t0", {"data1.txt:2 165 30"}},
      {"7\t00\t52\t7\t05\t0\t7\t10\t0", {"data1.txt:2 166 52"}},   // a wait the stop word cannot hold
      {"7\t00\t51\t7\t05\t0\t7\t10\t-1", {"data1.txt:2 166 -1"}},
  };
  for (const auto& c : cases) EXPECT_EQ(With("data1.txt", kHead + Train(c.stops)), c.want) << c.stops;
  // A B number keeps six bits.
  const std::string headB = "kind\tcar\tv2\tv3\tv4\tA\tB\t1\tx\ty\tB\r\n";
  EXPECT_EQ(With("data1.txt", headB + Train("7\t00\t0\t64")), Places{"data1.txt:2 167 64"});
  EXPECT_EQ(With("data1.txt", headB + Train("7\t00\t0\t63")), Places{});
  // A train from the main line to its branch turns where the columns leave the track.
  files.Set("eki.txt", Station(1, 2, 0) + Station(2, 3, 1) + Station(3, 0, 2) + Station(4, 0, 2));
  const std::string head4 = "kind\tcar\tv2\tv3\tv4\tA\tB\t1\tx\ty\t2\tx\ty\t3\tx\ty\t4\tx\ty\r\n";
  EXPECT_EQ(With("data1.txt", head4 + Train("\t\t0\t7\t05\t0\t7\t00\t0\t7\t10\t0")), Places{});
  files.Set("eki.txt", Station(1, 2, 0) + Station(2, 3, 1) + Station(3, 4, 2) + Station(4, 0, 3));
  EXPECT_EQ(With("data1.txt", head4 + Train("\t\t0\t7\t05\t0\t7\t00\t0\t7\t10\t0")), Places{"data1.txt:2 164 4"});
}

}  // namespace
}  // namespace orbline
