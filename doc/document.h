#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "doc/format_settings.h"
#include "doc/tables.h"
#include "platform/services.h"

namespace orbline {

// A source text: Shift_JIS bytes exactly as read; empty means no value.
using Text = std::string;

// The one compilation unit: every table read from the source files, the reading settings and
// what outlives a command. The tables are fixed arrays inside the object (about 5 MB, so make it
// on the heap); only text contents allocate. Operations return 1 on success and 0 after they
// reported the failure through ReportError.
class Document {
 public:
  // Empties every table and reads the settings from the profile, section "data".
  explicit Document(const Services& services);
  // Writes the settings back to the profile.
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Empties every table at full capacity; settings, delimiter, targetFileName and maxCalcStation
  // stay as they are.
  void ResetTables();

  // Shows "error <code>", an empty line and the code's message in a stop box.
  void ReportError(int code, int a, int b);

  // Sets `delimiter` from `kugiri` (again after the settings were changed).
  void DeriveDelimiter();

  // Cuts the next field off the front of `line` (see FieldSplitter).
  std::string_view SplitField(std::string_view& line, bool takeRest) const;

  int ReadInfo();
  int ReadKinds();
  int ReadStations();
  int ReadMap();
  int ReadTimetables();
  int ReadTimetableFile(int fileNumber, int dayType);

  // The lowest item index whose kind is 100·display + page, searching the whole table.
  std::optional<int> FindMapPage(int display, int page) const;
  // The title of the page shown in display mode 4, 5 or 6; empty otherwise or when absent.
  Text MapStatusText(int mode, int page) const;

  const Services& services() const { return services_; }

  // What outlives a command.
  Text targetFileName;
  // The folder the compiled file was last saved in; empty until then. Choosing it never changes
  // where the source files are read from.
  std::string targetFolder;
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

 private:
  Services services_;
};

}  // namespace orbline
