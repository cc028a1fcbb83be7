#include "document/document.h"

#include "document/display_mode.h"

namespace orbline {

Document::Document() {
  ResetTables();
  DeriveDelimiter();
}

void Document::ResetTables() {
  routeInfo.Reset();
  for (Kind& k : kinds) k.Reset();
  for (Station& s : stations) s.Reset();
  for (MapItem& m : mapItems) m.Reset();
  for (auto& day : trains)
    for (Train& t : day) t.Reset();
  dayTypeFile.fill(0);
  timetableHeaders.fill({});
}

void Document::DeriveDelimiter() { orbline::DeriveDelimiter(settings.kugiri, delimiter); }

std::optional<int> Document::FindMapPage(int display, int page) const {
  const int code = MapItem::kPageCodeStep * display + page;
  // The whole table, past an empty item too: a header after the end marker is still found.
  for (int i = 0; i < kMapItemCapacity; ++i)
    if (mapItems[i].kind() == code) return i;
  return std::nullopt;
}

Text Document::MapStatusText(int mode, int page) const {
  if (!IsMapMode(mode)) return Text();
  std::optional<int> header = FindMapPage(MapDisplayOf(mode), page);
  return header ? mapItems[*header].text : Text();
}

}  // namespace orbline
