#include "document/document.h"

namespace orbline {
namespace {

// Empties a text and gives back its storage, so that a long text read once does not hold its
// memory until the program ends.
void Release(Text& t) { Text().swap(t); }

}  // namespace

Document::Document() {
  ResetTables();
  DeriveDelimiter();
}

void Document::ResetTables() {
  for (Text& t : routeInfo) Release(t);
  kindColour.fill(0);
  for (auto& row : kindTexts)
    for (Text& t : row) Release(t);
  for (auto& row : stationValues) row.fill(0);
  for (auto& row : stationTexts)
    for (Text& t : row) Release(t);
  for (auto& row : mapValues) row.fill(0);
  for (Text& t : mapTexts) Release(t);
  for (auto& day : trainValues)
    for (auto& row : day) row.fill(0);
  for (auto& day : trainTexts)
    for (auto& row : day)
      for (Text& t : row) Release(t);
  stationLines.fill(0);
  mapLines.fill(0);
  for (auto& day : trainLines) day.fill(0);
  dayTypeFile.fill(0);
  timetableHeaders.fill({});
}

void Document::DeriveDelimiter() { orbline::DeriveDelimiter(settings.kugiri, delimiter); }

int Document::StationRows() const {
  int n = 0;
  while (n < kStationCapacity && !stationTexts[n][station::kName].empty()) ++n;
  return n;
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
