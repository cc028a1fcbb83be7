// ReadMap (map.txt, one item a line) and the page lookup shared by the map drawing and the
// status bar.
#include "doc/document.h"
#include "doc/error_code.h"
#include "doc/field_splitter.h"
#include "doc/number.h"
#include "doc/source_file.h"

namespace orbline {

int Document::ReadMap() {
  WaitCursorGuard wait(services_.waitCursor);
  SourceFile file(*this, "map.txt", kErrMapNotFound, kErrMapUnknown);
  if (!file.open()) return 0;
  const FieldSplitter split(settings, delimiter);
  std::string_view line;
  // No value is checked here; lines after the 2000th are never read.
  for (int i = 0; i < kMapItemCapacity && file.Next(&line); ++i) {
    for (int k = 0; k < kMapValueCount; ++k) mapValues[i][k] = static_cast<uint16_t>(split.SplitInt(line));
    mapTexts[i] = split.Split(line, true);
  }
  return file.failed() ? 0 : 1;
}

std::optional<int> Document::FindMapPage(int display, int page) const {
  const int code = map::kPageCodeStep * display + page;
  // The whole table, past an empty item too: a header after the end marker is still found.
  for (int i = 0; i < kMapItemCapacity; ++i)
    if (mapValues[i][map::kKind] == code) return i;
  return std::nullopt;
}

Text Document::MapStatusText(int mode, int page) const {
  // Display modes 4, 5, 6 show the bird's-eye view, the diagram and the route map.
  if (mode < 4 || mode > 6) return Text();
  std::optional<int> header = FindMapPage(mode - 3, page);
  return header ? mapTexts[*header] : Text();
}

}  // namespace orbline
