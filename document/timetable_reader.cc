// ReadTimetables and ReadTimetableFile: data1.txt..data3.txt into the three day types.
#include <algorithm>
#include <array>

#include "document/day_type_scheme.h"
#include "document/document.h"
#include "document/error_code.h"
#include "document/field_splitter.h"
#include "document/source_file.h"
#include "document/source_files.h"
#include "document/source_reader.h"
#include "document/train_check.h"

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

// What a stop word and a time can hold: hours of 24 to 29 are the late-night notation, 30 and
// more no clock time; a wait of 52 minutes or more runs into the T and B bits; B has six bits.
constexpr uint32_t kLastClockHour = 30;
constexpr uint32_t kLongestWait = 52;
constexpr uint32_t kHighestB = 63;

// Warns, once per line and kind, about a stop that is stored as something other than written.
// `given` keeps the kinds already warned about on this line.
void WarnOddStop(SourceFile& file, uint32_t hours, uint32_t minutes, uint32_t waitMinutes, uint32_t bNumber,
                 unsigned& given) {
  auto once = [&](unsigned bit, int code, int a, int b) {
    if (given & bit) return;
    given |= bit;
    file.Report(code, a, b);
  };
  if (hours >= kLastClockHour || minutes >= 60u) {
    const uint16_t stored = static_cast<uint16_t>((hours * 60u + minutes) * 10u);
    once(1, kWarnClockTime, stored / 600, stored % 600 / 10);
  }
  if (waitMinutes >= kLongestWait) once(2, kWarnWaitOverflow, static_cast<int32_t>(waitMinutes), 0);
  if (bNumber > kHighestB) once(4, kWarnBNumber, static_cast<int32_t>(bNumber), static_cast<int>(bNumber & kHighestB));
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
  Document::TimetableHeader& kept = doc_.timetableHeaders[dayType];
  kept = {};
  kept.line = file.line();
  std::array<bool, 256> seen{};
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
    if (seen[number]) {
      // The later column's values overwrite the earlier ones: it stands in the earlier one's place.
      file.Report(kWarnHeaderStationTwice, number);
      std::erase(kept.columns, number);
    }
    seen[number] = true;
    kept.columns.push_back(number);
  }
  kept.maxCalcStation = doc_.maxCalcStation;
  if (columnCount == kCalcStationCapacity && static_cast<uint8_t>(split.SplitInt(header)) != 0)
    file.Report(kWarnHeaderColumnsDropped);
  file.CheckNumbers(split);

  const bool fixedWidth = doc_.settings.kugiri == FormatSettings::kFixedWidth;
  std::string_view line;
  auto& trains = doc_.trainValues[dayType];
  auto& trainTexts = doc_.trainTexts[dayType];
  // At most 3000 train lines are read; a train rejected while going on leaves its row to the next.
  int n = 0;
  for (int row = 0; n < kTrainCapacity && file.Next(&line); ++n) {
    auto& values = trains[row];
    for (int k = 0; k < kTrainHeaderValueCount; ++k) values[k] = static_cast<uint16_t>(split.SplitInt(line));
    unsigned oddStops = 0;  // the warnings already given for this line
    for (int k = 0; k < columnCount; ++k) {
      const StopColumn& column = columns[k];
      // 16-bit arithmetic throughout: the stored words wrap around modulo 65536.
      const uint32_t hours = static_cast<uint32_t>(split.SplitInt(line));
      const uint32_t minutes = static_cast<uint32_t>(split.SplitInt(line));
      const uint32_t waitMinutes = static_cast<uint32_t>(split.SplitInt(line));
      const uint32_t bNumber = column.hasB ? static_cast<uint32_t>(split.SplitInt(line)) : 0u;
      uint32_t wait = waitMinutes * 10u;
      uint32_t b = bNumber * 2u;
      if (column.hasT && split.SplitInt(line) > 0) b += 1;
      if (doc_.settings.sec30 && wait == 10) wait = 5;  // a one-minute wait becomes 30 seconds
      // Negative numbers read as very large ones here.
      if (hours >= kLastClockHour || minutes >= 60u || waitMinutes >= kLongestWait || bNumber > kHighestB) [[unlikely]]
        WarnOddStop(file, hours, minutes, waitMinutes, bNumber, oddStops);
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
  if (n == kTrainCapacity) file.WarnDroppedLines(kTrainCapacity);
  return file.failed() ? 0 : result;
}

}  // namespace orbline
