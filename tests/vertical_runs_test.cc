// Which characters of a vertical label stand upright: the width of each character in the source
// bytes decides, in every double-byte range.
#include "view/vertical_runs.h"

#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "view/svg_canvas.h"

#include <cstdio>
#include <string>

namespace orbline {
namespace {

// "U8140 T4162": each run upright (U) or turned (T), then its bytes in hexadecimal.
std::string Describe(std::string_view sjis) {
  std::string out;
  for (const VerticalRun& run : SplitVerticalRuns(sjis)) {
    out += out.empty() ? "" : " ";
    out += run.upright ? 'U' : 'T';
    for (unsigned char b : run.sjis) {
      char hex[3];
      std::snprintf(hex, sizeof hex, "%02X", b);
      out += hex;
    }
  }
  return out;
}

TEST(VerticalRunsTest, DoubleByteCharactersStandUprightSingleBytesLieTurned) {
  const struct {
    std::string_view sjis;
    const char* runs;
  } cases[] = {
      // The corners of both lead ranges with both trail ranges, assigned or not.
      {"\x81\x40\x9F\xFC", "U81409FFC"},
      {"\xE0\x40\xFC\x7E\xFC\x80", "UE040FC7EFC80"},
      // ± × ÷ ° § ¶, Greek Α and Cyrillic Б, ∑ (NEC row 13): upright, whatever Unicode says.
      {"\x81\x7D\x81\x7E\x81\x80\x81\x8B\x81\x98\x81\xF7\x83\x9F\x84\x41\x87\x94",
       "U817D817E8180818B819881F7839F84418794"},
      // Bytes that lead nothing: ASCII, 0x80, 0xA0, half-width katakana 0xA1–0xDF, 0xFD–0xFF.
      {"Ab\x80\xA0\xA1\xDF\xFD\xFE\xFF", "T416280A0A1DFFDFEFF"},
      // A lead byte without a trail byte after it: before 0x7F, below 0x40, above 0xFC, at the end.
      {"\x81\x7F\x9F\x3F\xE0\xFD\x81", "T817F9F3FE0FD81"},
      // Runs change at every change of width; a trail byte in ASCII's range belongs to its lead.
      {"\x8F\x63" "Ab\x81\x7D\xB1\x81\x41" "1", "U8F63 T4162 U817D TB1 U8141 T31"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Describe(c.sjis), c.runs);
}

// An SVG column sets its runs upright (class "u") or turned (class "s") by the same rule.
TEST(VerticalRunsTest, SvgColumnsSetTheRunsSo) {
  SvgCanvas svg;
  svg.SelectFont({.height = 20, .vertical = true});
  svg.Text(100, 50, Utf8ToSjis("縦Ab±ｱ"));
  EXPECT_NE(svg.Svg().find("<tspan class=\"u\">縦</tspan><tspan class=\"s\">Ab</tspan><tspan class=\"u\">±</tspan>"
                           "<tspan class=\"s\">ｱ</tspan></text>"),
            std::string::npos);
}

}  // namespace
}  // namespace orbline
