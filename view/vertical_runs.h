#pragma once

#include <string_view>
#include <vector>

namespace orbline {

// A stretch of a vertical label's text whose characters all stand upright or all lie turned.
struct VerticalRun {
  bool upright = false;
  std::string_view sjis;  // part of the label's Shift_JIS bytes
};

// Splits a label's Shift_JIS text into the runs of vertical writing, by each character's width in
// the source, as the vertical-writing face sets it: a double-byte character (a lead byte 0x81–0x9F
// or 0xE0–0xFC followed by a trail byte 0x40–0x7E or 0x80–0xFC) stands upright in its vertical
// form, whatever it is (kana, kanji, ± × °, Greek, Cyrillic, an unassigned pair); a single byte
// (ASCII, half-width katakana, a lead byte without its trail) lies turned a quarter clockwise.
// Every byte of the text is in exactly one run, in order.
std::vector<VerticalRun> SplitVerticalRuns(std::string_view sjis);

}  // namespace orbline
