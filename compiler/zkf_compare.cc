#include "compiler/zkf_compare.h"

#include <algorithm>

#include "compiler/zkf_format.h"
#include "document/day_type_scheme.h"
#include "document/document.h"

namespace orbline {
namespace {

std::string Differ(const std::string& what, long long inFile, long long inDoc) {
  return what + ": " + std::to_string(inFile) + " in the file, " + std::to_string(inDoc) + " in the document";
}

// Rows the writer puts out: up to and including the first that ends the table, or all.
template <typename Done>
size_t RowsWritten(size_t capacity, Done ends) {
  size_t n = 0;
  while (n < capacity && !ends(n)) ++n;
  return std::min(n + 1, capacity);
}

}  // namespace

std::string CompareZkfWithDocument(const ZkfFile& f, const Document& d) {
  if (f.version != zkf::kVersion) return Differ("version", f.version, zkf::kVersion);
  for (int i = 0; i < kRouteInfoCount; ++i)
    if (f.routeInfo[i] != d.routeInfo[i]) return "route info text " + std::to_string(i + 1);

  const size_t kinds = RowsWritten(kKindCapacity, [&](size_t i) {
    return d.kindTexts[i][kind::kText1].empty() && d.kindTexts[i][kind::kText2].empty();
  });
  if (f.kinds.size() != kinds) return Differ("kind rows", f.kinds.size(), kinds);
  for (size_t i = 0; i < kinds; ++i) {
    const std::string row = "kind " + std::to_string(i + 1);
    if (f.kinds[i].colour != d.kindColour[i]) return Differ(row + " colour", f.kinds[i].colour, d.kindColour[i]);
    for (int t = 0; t < kKindTextCount; ++t)
      if (f.kinds[i].texts[t] != d.kindTexts[i][t]) return row + " text " + std::to_string(t + 1);
  }

  const size_t stations =
      RowsWritten(kStationCapacity, [&](size_t i) { return d.stationTexts[i][station::kName].empty(); });
  if (f.stations.size() != stations) return Differ("station rows", f.stations.size(), stations);
  for (size_t i = 0; i < stations; ++i) {
    const std::string row = "station " + std::to_string(i + 1);
    for (int k = 0; k < kStationValueCount; ++k)
      if (f.stations[i].values[k] != d.stationValues[i][k])
        return Differ(row + " value " + std::to_string(k), f.stations[i].values[k], d.stationValues[i][k]);
    for (int t = 0; t < kStationTextCount; ++t)
      if (f.stations[i].texts[t] != d.stationTexts[i][t]) return row + " text " + std::to_string(t + 1);
  }

  const size_t items =
      RowsWritten(kMapItemCapacity, [&](size_t i) { return d.mapValues[i][map::kKind] == 0; });
  if (f.mapItems.size() != items) return Differ("map items", f.mapItems.size(), items);
  for (size_t i = 0; i < items; ++i) {
    const std::string row = "map item " + std::to_string(i + 1);
    for (int k = 0; k < kMapValueCount; ++k)
      if (f.mapItems[i].values[k] != d.mapValues[i][k])
        return Differ(row + " value " + std::to_string(k), f.mapItems[i].values[k], d.mapValues[i][k]);
    if (f.mapItems[i].text != d.mapTexts[i]) return row + " text";
  }

  const auto maxCalcStation = static_cast<uint16_t>(d.maxCalcStation);
  const auto weekkind = static_cast<uint16_t>(d.settings.weekkind);
  if (f.maxCalcStation != maxCalcStation) return Differ("maxCalcStation", f.maxCalcStation, maxCalcStation);
  if (f.weekkind != weekkind) return Differ("weekkind", f.weekkind, weekkind);
  size_t section = 0;
  const size_t width = zkf::TrainWidth(maxCalcStation);
  for (int day = 0; day < kDayTypeCount; ++day) {
    if (!DayTypeWritten(weekkind, day)) continue;
    if (section >= f.data.size()) return Differ("[Data] sections", f.data.size(), section + 1);
    const auto& s = f.data[section++];
    if (s.dayType != day) return Differ("day type of a [Data] section", s.dayType, day);
    const size_t trains =
        RowsWritten(kTrainCapacity, [&](size_t i) { return d.trainValues[day][i][train::kKind] == 0; });
    if (s.trains.size() != trains) return Differ("trains of day type " + std::to_string(day), s.trains.size(), trains);
    for (size_t i = 0; i < trains; ++i) {
      const std::string row = "train " + std::to_string(day + 1) + "-" + std::to_string(i + 1);
      if (s.trains[i].values.size() != width) return Differ(row + " width", s.trains[i].values.size(), width);
      for (size_t k = 0; k < width; ++k) {
        const uint16_t expected = k < kTrainValueCount ? d.trainValues[day][i][k] : 0;
        if (s.trains[i].values[k] != expected)
          return Differ(row + " value " + std::to_string(k), s.trains[i].values[k], expected);
      }
      for (int t = 0; t < kTrainTextCount; ++t)
        if (s.trains[i].texts[t] != d.trainTexts[day][i][t]) return row + " text " + std::to_string(t + 1);
    }
  }
  if (section != f.data.size()) return Differ("[Data] sections", f.data.size(), section);
  if (f.icon != 0) return Differ("icon", f.icon, 0);
  return {};
}

}  // namespace orbline
