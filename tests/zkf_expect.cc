#include "zkf_expect.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orbline {

void ExpectFileMatchesDocument(const ZkfFile& f, const Document& d) {
  EXPECT_EQ(f.version, 200);
  for (int i = 0; i < kRouteInfoCount; ++i) EXPECT_EQ(f.routeInfo[i], d.routeInfo[i]);
  size_t kinds = 0;
  while (kinds < kKindCapacity && !(d.kindTexts[kinds][0].empty() && d.kindTexts[kinds][1].empty())) ++kinds;
  ASSERT_EQ(f.kinds.size(), std::min<size_t>(kinds + 1, kKindCapacity));
  for (size_t i = 0; i < f.kinds.size(); ++i) {
    EXPECT_EQ(f.kinds[i].colour, d.kindColour[i]);
    EXPECT_EQ(f.kinds[i].texts[0], d.kindTexts[i][0]);
    EXPECT_EQ(f.kinds[i].texts[1], d.kindTexts[i][1]);
  }
  size_t stations = 0;
  while (stations < kStationCapacity && !d.stationTexts[stations][station::kName].empty()) ++stations;
  ASSERT_EQ(f.stations.size(), std::min<size_t>(stations + 1, kStationCapacity));
  for (size_t i = 0; i < f.stations.size(); ++i) {
    EXPECT_EQ(f.stations[i].values, d.stationValues[i]) << "station " << i;
    EXPECT_EQ(f.stations[i].texts, d.stationTexts[i]) << "station " << i;
  }
  size_t items = 0;
  while (items < kMapItemCapacity && d.mapValues[items][map::kKind] != 0) ++items;
  ASSERT_EQ(f.mapItems.size(), std::min<size_t>(items + 1, kMapItemCapacity));
  for (size_t i = 0; i < f.mapItems.size(); ++i) {
    EXPECT_EQ(f.mapItems[i].values, d.mapValues[i]) << "map item " << i;
    EXPECT_EQ(f.mapItems[i].text, d.mapTexts[i]) << "map item " << i;
  }
  EXPECT_EQ(f.maxCalcStation, d.maxCalcStation);
  EXPECT_EQ(f.weekkind, d.settings.weekkind);
  // Day types by scheme: 0 weekday and Saturday, 1 weekday, 2 all three, 3 weekday and Sunday.
  const std::vector<int> dayTypes[4] = {{0, 1}, {0}, {0, 1, 2}, {0, 2}};
  ASSERT_EQ(f.data.size(), dayTypes[d.settings.weekkind].size());
  const size_t width = 2 * static_cast<size_t>(d.maxCalcStation) + 7;
  for (size_t s = 0; s < f.data.size(); ++s) {
    const auto& section = f.data[s];
    EXPECT_EQ(section.dayType, dayTypes[d.settings.weekkind][s]);
    size_t trains = 0;
    while (trains < kTrainCapacity && d.trainValues[section.dayType][trains][train::kKind] != 0) ++trains;
    ASSERT_EQ(section.trains.size(), std::min<size_t>(trains + 1, kTrainCapacity));
    for (size_t i = 0; i < section.trains.size(); ++i) {
      const auto& values = d.trainValues[section.dayType][i];
      ASSERT_EQ(section.trains[i].values, std::vector<uint16_t>(values.begin(), values.begin() + width));
      EXPECT_EQ(section.trains[i].texts, d.trainTexts[section.dayType][i]);
    }
  }
  EXPECT_EQ(f.icon, 0);
}

}  // namespace orbline
