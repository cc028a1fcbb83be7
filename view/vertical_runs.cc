#include "view/vertical_runs.h"

namespace orbline {
namespace {

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

}  // namespace

std::vector<VerticalRun> SplitVerticalRuns(std::string_view sjis) {
  std::vector<VerticalRun> runs;
  size_t start = 0;
  bool upright = false;
  for (size_t i = 0; i < sjis.size();) {
    const bool pair = i + 1 < sjis.size() && IsLeadByte(sjis[i]) && IsTrailByte(sjis[i + 1]);
    if (i > start && pair != upright) {
      runs.push_back({upright, sjis.substr(start, i - start)});
      start = i;
    }
    upright = pair;
    i += pair ? 2 : 1;
  }
  if (start < sjis.size()) runs.push_back({upright, sjis.substr(start)});
  return runs;
}

}  // namespace orbline
