#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <vector>

#include "document/format_settings.h"
#include "document/map_item.h"
#include "document/rows.h"

namespace orbline {

// The one compilation unit: every table read from the source files, the reading settings and
// what outlives a command. It is plain data: SourceReader fills it, the checks, the writer and
// the drawings read it, and whoever owns it loads and saves its settings. The tables are fixed
// arrays inside the object (about 5 MB, so make it on the heap); only text contents allocate.
class Document {
 public:
  // Empty tables, default settings and the delimiter they give.
  Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Empties every table at full capacity; settings, delimiter, targetFileName and maxCalcStation
  // stay as they are.
  void ResetTables();

  // Sets `delimiter` from `kugiri` (again after the settings were changed).
  void DeriveDelimiter();

  // The lowest item index whose kind is 100·display + page, searching the whole table.
  std::optional<int> FindMapPage(int display, int page) const;
  // The title of the page shown in display mode 4, 5 or 6; empty otherwise or when absent.
  Text MapStatusText(int mode, int page) const;

  // What outlives a command.
  Text targetFileName;
  // The folder the compiled file was last saved in; empty until then. Choosing it never changes
  // where the source files are read from.
  std::filesystem::path targetFolder;
  Text delimiter;
  int maxCalcStation = 0;
  FormatSettings settings;

  // The tables.
  RouteInfo routeInfo;
  std::array<Kind, kKindCapacity> kinds;
  std::array<Station, kStationCapacity> stations;
  std::array<MapItem, kMapItemCapacity> mapItems;
  std::array<std::array<Train, kTrainCapacity>, kDayTypeCount> trains;  // by day type

  // The timetable file (1..3) each day type was read from (0 when none was).
  std::array<int, kDayTypeCount> dayTypeFile{};
  // The header of the timetable each day type was read from: its line, the calc stations of its
  // columns in their order (those kept), and the highest of them.
  struct TimetableHeader {
    int line = 0;
    std::vector<int> columns;
    int maxCalcStation = 0;
  };
  std::array<TimetableHeader, kDayTypeCount> timetableHeaders;
};

}  // namespace orbline
