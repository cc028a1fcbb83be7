// Which characters of a vertical label stand upright: the width of each character in the source
// bytes decides, in every double-byte range.
#include "view/vertical_runs.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace orbline {
namespace {

TEST(VerticalRunsTest, DoubleByteCharactersStandUprightSingleBytesLieTurned) {
  // The bytes of a text, and its runs: each upright (U) or turned (T), and its length in bytes.
  const std::pair<std::string_view, std::string> cases[] = {
      // The corners of both lead ranges with both trail ranges, assigned or not.
      {"\x81\x40\x9F\xFC\xE0\x40\xFC\x7E\xFC\x80", "U10"},
      // ± × ÷ ° § ¶, Greek Α and Cyrillic Б, ∑ (NEC row 13): upright, whatever Unicode says.
      {"\x81\x7D\x81\x7E\x81\x80\x81\x8B\x81\x98\x81\xF7\x83\x9F\x84\x41\x87\x94", "U18"},
      // Bytes that lead nothing: ASCII, 0x80, 0xA0, half-width katakana 0xA1–0xDF, 0xFD–0xFF.
      {"Ab\x80\xA0\xA1\xDF\xFD\xFE\xFF", "T9"},
      // A lead byte without a trail byte after it: before 0x7F, below 0x40, above 0xFC, at the end.
      {"\x81\x7F\x9F\x3F\xE0\xFD\x81", "T7"},
      // Runs change at every change of width; a trail byte in ASCII's range belongs to its lead.
      // clang-format off
      {"\x8F\x63" "Ab\x81\x7D\xB1\x81\x41" "1", "U2 T2 U2 T1 U2 T1"},
      // clang-format on
      {"", ""},  // no run at all
  };
  for (const auto& [sjis, expected] : cases) {
    std::string runs;
    for (const VerticalRun& run : SplitVerticalRuns(sjis))
      runs += (runs.empty() ? "" : " ") + std::string(run.upright ? "U" : "T") + std::to_string(run.sjis.size());
    EXPECT_EQ(runs, expected) << sjis;
  }
}

}  // namespace
}  // namespace orbline
