#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/map_item.h"
#include "document/rows.h"

namespace orbline {

// A compiled file decoded into its sections, in the document's own rows (their source lines 0).
// Every list holds the rows as written, the terminating row included (a full table has none).
// Texts are the file's Shift_JIS bytes.
struct ZkfFile {
  // A train keeps the width written in the file: 2 × maxCalcStation + 7 words, whatever that is.
  struct Train {
    std::vector<uint16_t> values;
    std::array<Text, 3> texts;
    bool EndsTable() const { return values.empty() || values[orbline::Train::kKind] == 0; }
  };
  struct DataSection {
    int dayType = 0;
    size_t offset = 0;  // of its tag
    std::vector<Train> trains;
  };

  uint16_t version = 0;
  RouteInfo routeInfo;
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

// Decodes a whole file into `*file`, using its own maxCalcStation and weekkind for the timetables.
// Refuses a file that ends early or has bytes after its end: false, with `*err` naming the byte
// offset and what was expected there ("byte 1448: expected the tag [Map]").
bool ReadZkf(std::string_view bytes, ZkfFile* file, std::string* err);

}  // namespace orbline
