#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/tables.h"

namespace orbline {

// A compiled file decoded into its sections. Every list holds the rows as written, the
// terminating row included (a full table has none). Texts are the file's Shift_JIS bytes.
struct ZkfFile {
  struct Kind {
    uint32_t colour = 0;
    std::array<std::string, kKindTextCount> texts;
  };
  struct Station {
    std::array<uint16_t, kStationValueCount> values{};
    std::array<std::string, kStationTextCount> texts;
  };
  struct MapItem {
    std::array<uint16_t, kMapValueCount> values{};
    std::string text;
  };
  struct Train {
    std::vector<uint16_t> values;  // 2 × maxCalcStation + 7 words
    std::array<std::string, kTrainTextCount> texts;
  };
  struct DataSection {
    int dayType = 0;
    size_t offset = 0;  // of its tag
    std::vector<Train> trains;
  };

  uint16_t version = 0;
  std::array<std::string, kRouteInfoCount> routeInfo;
  std::vector<Kind> kinds;
  std::vector<Station> stations;
  std::vector<MapItem> mapItems;
  uint16_t maxCalcStation = 0;
  uint16_t weekkind = 0;
  std::vector<DataSection> data;
  uint16_t icon = 0;
  // Byte offsets of the tags [Info], [Kind], [Eki], [Map] and [Icon].
  size_t infoOffset = 0, kindOffset = 0, ekiOffset = 0, mapOffset = 0, iconOffset = 0;
};

struct ZkfError {
  size_t offset = 0;  // the byte where decoding stopped
  std::string what;   // in English, e.g. "expected the tag [Map]"
};

// Decodes a whole file, using its own maxCalcStation and weekkind for the timetables. Refuses a
// file that ends early or has bytes after its end, naming the byte offset.
std::optional<ZkfFile> ReadZkf(std::string_view bytes, ZkfError* error);

}  // namespace orbline
