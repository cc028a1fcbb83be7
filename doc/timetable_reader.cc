// ReadTimetables and ReadTimetableFile: data1.txt..data3.txt into the three day types.
#include <algorithm>
#include <array>

#include "doc/day_type_scheme.h"
#include "doc/document.h"
#include "doc/error_code.h"
#include "doc/field_splitter.h"
#include "doc/source_file.h"
#include "doc/source_files.h"
#include "doc/source_reader.h"
#include "doc/train_check.h"

namespace orbline {
namespace {

// One column group of a timetable header.
struct StopColumn {
  uint8_t calcStation = 0;  // kept in 8 bits, as the header gives it modulo 256
  bool hasB = false;
  bool hasT = false;
  bool stored = true;  // false for a number above 100, whose fields are read but kept nowhere
};

bool StartsWith(std::string_view rest, char upper, char lower) {
  return !rest.empty() && (rest[0] == upper || rest[0] == lower);
}

}  // namespace

int SourceReader::ReadTimetables() {
  WaitCursorGuard wait(waitCursor_);
  if (TimetableFileFor(doc_.settings.weekkind, kWeekday) == 0) {
    // A hand-edited profile: no scheme says which files to read, so read none and say so.
    ReportError(kErrWeekkind, doc_.settings.weekkind, 0, {}, 0);
    return 0;
  }
  int result = 1;
  for (int day = 0; day < kDayTypeCount; ++day) {
    if (!ReadTimetableFile(TimetableFileFor(doc_.settings.weekkind, day), day)) {
      result = 0;
      if (!keepGoing()) break;
    }
  }
  return result;
}

int SourceReader::ReadTimetableFile(int fileNumber, int dayType) {
  WaitCursorGuard wait(waitCursor_);
  std::array<StopColumn, kCalcStationCapacity> columns{};
  int columnCount = 0;
  doc_.maxCalcStation = 0;
  doc_.dayTypeFile[dayType] = fileNumber;

  SourceFile file(*this, TimetableFileName(fileNumber), SourceFile::Kind::kFields, kErrDataNotFound,
                  kErrDataUnknown, fileNumber);
  if (!file.open()) return 0;
  FieldSplitter split(doc_.settings, doc_.delimiter);
  int result = 1;

  if (doc_.settings.top) file.Skip();
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
    if (number > kCalcStationCapacity) {
      result = 0;
      column.stored = false;
      if (!keepGoing()) doc_.maxCalcStation = std::max<int>(doc_.maxCalcStation, number);
      if (!file.Reject(kErrDataHeaderCalcNo, fileNumber, 0)) return 0;
      continue;
    }
    if (number > doc_.maxCalcStation) doc_.maxCalcStation = number;
  }
  file.CheckNumbers(split);

  const bool fixedWidth = doc_.settings.kugiri == FormatSettings::kFixedWidth;
  std::string_view line;
  auto& trains = doc_.trainValues[dayType];
  auto& trainTexts = doc_.trainTexts[dayType];
  // At most 3000 train lines are read; a train rejected while going on leaves its row to the next.
  for (int n = 0, row = 0; n < kTrainCapacity && file.Next(&line); ++n) {
    auto& values = trains[row];
    for (int k = 0; k < kTrainHeaderValueCount; ++k) values[k] = static_cast<uint16_t>(split.SplitInt(line));
    for (int k = 0; k < columnCount; ++k) {
      const StopColumn& column = columns[k];
      // 16-bit arithmetic throughout: the stored words wrap around modulo 65536.
      const uint32_t hours = static_cast<uint32_t>(split.SplitInt(line));
      const uint32_t minutes = static_cast<uint32_t>(split.SplitInt(line));
      uint32_t wait = static_cast<uint32_t>(split.SplitInt(line)) * 10u;
      uint32_t b = column.hasB ? static_cast<uint32_t>(split.SplitInt(line)) * 2u : 0u;
      if (column.hasT && split.SplitInt(line) > 0) b += 1;
      if (doc_.settings.sec30 && wait == 10) wait = 5;  // a one-minute wait becomes 30 seconds
      if (!column.stored) continue;
      values[train::TimeIndex(column.calcStation)] = static_cast<uint16_t>((hours * 60u + minutes) * 10u);
      // Nothing is masked: a wait of 52 minutes or more carries into the B and T bits.
      values[train::StopInfoIndex(column.calcStation)] = static_cast<uint16_t>(b * 512u + wait);
    }
    file.CheckNumbers(split);
    auto& texts = trainTexts[row];
    if (fixedWidth) {
      texts[train::kText3] = split.Split(line, true);
    } else {
      texts[train::kText1] = split.Split(line, false);
      texts[train::kText2] = split.Split(line, false);
      texts[train::kText3] = split.Split(line, true);
    }
    doc_.trainLines[dayType][row] = file.line();
    // Stopping, the train stays stored when a check rejects it.
    static constexpr int kCodes[] = {0, kErrDataKind, kErrDataCarType, kErrDataStation};
    const TrainFault fault = CheckTrain(values);
    if (fault == TrainFault::kNone) {
      ++row;
      continue;
    }
    result = 0;
    if (!file.Reject(kCodes[static_cast<int>(fault)], fileNumber, n + 1)) return 0;
    values.fill(0);
    for (Text& t : texts) t.clear();
    doc_.trainLines[dayType][row] = 0;
  }
  return file.failed() ? 0 : result;
}

}  // namespace orbline
