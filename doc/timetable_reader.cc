// ReadTimetables and ReadTimetableFile: data1.txt..data3.txt into the three day types.
#include <array>
#include <cstdio>

#include "doc/day_type_scheme.h"
#include "doc/document.h"
#include "doc/error_code.h"
#include "doc/field_splitter.h"
#include "doc/number.h"
#include "doc/source_file.h"
#include "doc/train_check.h"

namespace orbline {
namespace {

// One column group of a timetable header.
struct StopColumn {
  uint8_t calcStation = 0;  // kept in 8 bits, as the header gives it modulo 256
  bool hasB = false;
  bool hasT = false;
};

bool StartsWith(std::string_view rest, char upper, char lower) {
  return !rest.empty() && (rest[0] == upper || rest[0] == lower);
}

}  // namespace

int Document::ReadTimetables() {
  WaitCursorGuard wait(services_.waitCursor);
  if (TimetableFileFor(settings.weekkind, kWeekday) == 0) {
    // A hand-edited profile: no scheme says which files to read, so read none and say so.
    ReportError(kErrWeekkind, settings.weekkind, 0);
    return 0;
  }
  for (int day = 0; day < kDayTypeCount; ++day)
    if (!ReadTimetableFile(TimetableFileFor(settings.weekkind, day), day)) return 0;
  return 1;
}

int Document::ReadTimetableFile(int fileNumber, int dayType) {
  WaitCursorGuard wait(services_.waitCursor);
  std::array<StopColumn, kCalcStationCapacity> columns{};
  int columnCount = 0;
  maxCalcStation = 0;

  char name[32];
  std::snprintf(name, sizeof name, "data%d.txt", fileNumber);
  SourceFile file(*this, name, kErrDataNotFound, kErrDataUnknown, fileNumber);
  if (!file.open()) return 0;
  const FieldSplitter split(settings, delimiter);

  std::string_view line;
  if (settings.top) file.Next(&line);
  // The header; at the end of the file it is an empty line.
  std::string_view header;
  if (!file.Next(&header)) {
    if (file.failed()) return 0;
    header = {};
  }
  for (int k = 0; k < kTrainHeaderValueCount; ++k) split.Split(header, false);
  for (; columnCount < kCalcStationCapacity; ++columnCount) {
    const auto number = static_cast<uint8_t>(split.SplitInt(header));
    split.Split(header, false);
    split.Split(header, false);
    if (number == 0) break;
    StopColumn& column = columns[columnCount];
    column.calcStation = number;
    // The markers are tested on the rest of the line as it is, untrimmed; B before T.
    if (StartsWith(header, 'B', 'b')) {
      column.hasB = true;
      split.Split(header, false);
    }
    if (StartsWith(header, 'T', 't')) {
      column.hasT = true;
      split.Split(header, false);
    }
    if (number > maxCalcStation) maxCalcStation = number;
    if (number > kCalcStationCapacity) {
      file.Close();
      ReportError(kErrDataHeaderCalcNo, fileNumber, 0);
      return 0;
    }
  }

  const bool fixedWidth = settings.kugiri == FormatSettings::kFixedWidth;
  for (int i = 0; i < kTrainCapacity && file.Next(&line); ++i) {
    auto& values = trainValues[dayType][i];
    for (int k = 0; k < kTrainHeaderValueCount; ++k) values[k] = static_cast<uint16_t>(split.SplitInt(line));
    for (int k = 0; k < columnCount; ++k) {
      const StopColumn& column = columns[k];
      // 16-bit arithmetic throughout: the stored words wrap around modulo 65536.
      const uint32_t hours = static_cast<uint32_t>(split.SplitInt(line));
      const uint32_t minutes = static_cast<uint32_t>(split.SplitInt(line));
      uint32_t wait = static_cast<uint32_t>(split.SplitInt(line)) * 10u;
      uint32_t b = column.hasB ? static_cast<uint32_t>(split.SplitInt(line)) * 2u : 0u;
      if (column.hasT && split.SplitInt(line) > 0) b += 1;
      if (settings.sec30 && wait == 10) wait = 5;  // a one-minute wait becomes 30 seconds
      values[train::TimeIndex(column.calcStation)] = static_cast<uint16_t>((hours * 60u + minutes) * 10u);
      // Nothing is masked: a wait of 52 minutes or more carries into the B and T bits.
      values[train::StopInfoIndex(column.calcStation)] = static_cast<uint16_t>(b * 512u + wait);
    }
    auto& texts = trainTexts[dayType][i];
    if (fixedWidth) {
      texts[train::kText3] = split.Split(line, true);
    } else {
      texts[train::kText1] = split.Split(line, false);
      texts[train::kText2] = split.Split(line, false);
      texts[train::kText3] = split.Split(line, true);
    }
    // The train stays stored when a check rejects it.
    static constexpr int kCodes[] = {0, kErrDataKind, kErrDataCarType, kErrDataStation};
    if (const TrainFault fault = CheckTrain(values); fault != TrainFault::kNone) {
      file.Close();
      ReportError(kCodes[static_cast<int>(fault)], fileNumber, i + 1);
      return 0;
    }
  }
  return file.failed() ? 0 : 1;
}

}  // namespace orbline
