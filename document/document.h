#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/format_settings.h"
#include "document/tables.h"

namespace orbline {

// A source text: Shift_JIS bytes exactly as read; empty means no value.
using Text = std::string;

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

  // The tables: record i is row i of the numbers and row i of the texts.
  std::array<Text, kRouteInfoCount> routeInfo;
  std::array<uint32_t, kKindCapacity> kindColour;  // 0x00BBGGRR
  std::array<std::array<Text, kKindTextCount>, kKindCapacity> kindTexts;
  std::array<std::array<uint16_t, kStationValueCount>, kStationCapacity> stationValues;
  std::array<std::array<Text, kStationTextCount>, kStationCapacity> stationTexts;
  std::array<std::array<uint16_t, kMapValueCount>, kMapItemCapacity> mapValues;
  std::array<Text, kMapItemCapacity> mapTexts;
  std::array<std::array<std::array<uint16_t, kTrainValueCount>, kTrainCapacity>, kDayTypeCount> trainValues;
  std::array<std::array<std::array<Text, kTrainTextCount>, kTrainCapacity>, kDayTypeCount> trainTexts;

  // Where each row came from: its 1-based line in its source file (0 for a row not read), and the
  // timetable file (1..3) each day type was read from (0 when none was).
  std::array<int, kStationCapacity> stationLines;
  std::array<int, kMapItemCapacity> mapLines;
  std::array<std::array<int, kTrainCapacity>, kDayTypeCount> trainLines;
  std::array<int, kDayTypeCount> dayTypeFile;
  // The header of the timetable each day type was read from: its line, the calc stations of its
  // columns in their order (those kept), and the highest of them.
  struct TimetableHeader {
    int line = 0;
    std::vector<int> columns;
    int maxCalcStation = 0;
  };
  std::array<TimetableHeader, kDayTypeCount> timetableHeaders;

  // The source line of station row or map item `i`; a table filled without a reader counts its rows
  // from 1.
  int StationLine(int i) const { return stationLines[i] != 0 ? stationLines[i] : i + 1; }
  int MapLine(int i) const { return mapLines[i] != 0 ? mapLines[i] : i + 1; }
  // The stations up to the first without a name, which ends the table.
  int StationRows() const;
};

}  // namespace orbline
